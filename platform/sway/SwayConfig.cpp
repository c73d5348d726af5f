#include "SwayConfig.h"

#include <glob.h>
#include <wordexp.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <utility>

#include "AsciiText.h"

namespace tulma {
namespace {

constexpr std::array<std::pair<std::string_view, unsigned>, 12> ModifierNames{{
    {"shift", TSwayCombination::Shift},
    {"lock", TSwayCombination::Lock},
    {"ctrl", TSwayCombination::Ctrl},
    {"control", TSwayCombination::Ctrl},
    {"mod1", TSwayCombination::Alt},
    {"alt", TSwayCombination::Alt},
    {"mod2", TSwayCombination::Mod2},
    {"mod3", TSwayCombination::Mod3},
    {"mod4", TSwayCombination::Logo},
    {"super", TSwayCombination::Logo},
    {"logo", TSwayCombination::Logo},
    {"mod5", TSwayCombination::Mod5},
}};

std::optional<unsigned> ModifierBit(std::string_view Name) {
    const std::string Wanted = AsciiLower(Name);
    for (const auto& [Known, Bit] : ModifierNames) {
        if (Wanted == Known) {
            return Bit;
        }
    }
    return std::nullopt;
}

std::string FolderOf(const std::string& Path) {
    const std::size_t Slash = Path.rfind('/');
    return Slash == std::string::npos ? "." : Path.substr(0, Slash == 0 ? 1 : Slash);
}

std::string Trimmed(std::string_view Text) {
    const auto Blank = [](char C) { return C == ' ' || C == '\t' || C == '\r'; };
    while (!Text.empty() && Blank(Text.front())) {
        Text.remove_prefix(1);
    }
    while (!Text.empty() && Blank(Text.back())) {
        Text.remove_suffix(1);
    }
    return std::string(Text);
}

std::optional<std::string> ReadFromDisk(const std::string& Path) {
    std::ifstream File(Path, std::ios::binary);
    if (!File) {
        return std::nullopt;
    }
    std::string Text(TSwayConfigReader::MaxFileBytes, '\0');
    File.read(Text.data(), static_cast<std::streamsize>(Text.size()));
    Text.resize(static_cast<std::size_t>(File.gcount()));
    return Text;
}

// sway expands include paths like a shell without running commands: ~, variables and globs.
std::vector<std::string> ExpandOnDisk(const std::string& Pattern) {
    std::vector<std::string> Paths;
    wordexp_t Words{};
    if (wordexp(Pattern.c_str(), &Words, WRDE_NOCMD) == 0) {
        for (std::size_t I = 0; I < Words.we_wordc; ++I) {
            glob_t Found{};
            if (glob(Words.we_wordv[I], GLOB_NOCHECK, nullptr, &Found) == 0) {
                Paths.insert(Paths.end(), Found.gl_pathv, Found.gl_pathv + Found.gl_pathc);
            }
            globfree(&Found);
        }
        wordfree(&Words);
    }
    return Paths;
}

}  // namespace

std::optional<TSwayCombination> ParseSwayCombination(std::string_view Text, bool Code) {
    TSwayCombination Combination{.Modifiers = 0, .Key = {}, .Code = Code};
    while (true) {
        const std::size_t Plus = Text.find('+');
        const std::string_view Part = Text.substr(0, Plus);
        if (Part.empty()) {
            return std::nullopt;
        }
        if (Plus == std::string_view::npos) {
            Combination.Key = AsciiLower(Part);
            return Combination;
        }
        const auto Bit = ModifierBit(Part);
        if (!Bit) {
            return std::nullopt;
        }
        Combination.Modifiers |= *Bit;
        Text.remove_prefix(Plus + 1);
    }
}

std::vector<std::string> SwayConfigWords(std::string_view Line) {
    std::vector<std::string> Words;
    std::string Word;
    bool InWord = false;
    char Quote = 0;
    for (const char C : Line) {
        if (Quote != 0) {
            if (C == Quote) {
                Quote = 0;
            } else {
                Word += C;
            }
        } else if (C == '"' || C == '\'') {
            Quote = C;
            InWord = true;
        } else if (C == ' ' || C == '\t') {
            if (InWord) {
                Words.push_back(std::move(Word));
                Word.clear();
                InWord = false;
            }
        } else {
            Word += C;
            InWord = true;
        }
    }
    if (InWord) {
        Words.push_back(std::move(Word));
    }
    return Words;
}

TSwayConfigReader::TSwayConfigReader() : TSwayConfigReader(ReadFromDisk, ExpandOnDisk) {}

TSwayConfigReader::TSwayConfigReader(TFileReader Read, TPatternExpander Expand)
    : Read(std::move(Read)), Expand(std::move(Expand)) {}

void TSwayConfigReader::ReadFile(const std::string& Path) {
    if (Seen.size() >= MaxFiles || !Seen.insert(Path).second) {
        return;
    }
    if (const auto Text = Read(Path)) {
        ReadText(std::string_view(*Text).substr(0, MaxFileBytes), Path);
    } else {
        Missed.push_back(Path);
    }
}

void TSwayConfigReader::ReadText(std::string_view Text, const std::string& Path) {
    Seen.insert(Path);
    const std::string Folder = FolderOf(Path);
    // Blocks do not reach from one file into another.
    const std::size_t Depth = Blocks.size();
    std::string Line;
    while (!Text.empty()) {
        const std::size_t End = Text.find('\n');
        Line += Text.substr(0, End);
        Text.remove_prefix(End == std::string_view::npos ? Text.size() : End + 1);
        // A backslash at the end continues the line.
        if (!Line.empty() && Line.back() == '\\' && !Text.empty()) {
            Line.pop_back();
            continue;
        }
        ReadLine(Trimmed(Line), Folder);
        Line.clear();
    }
    ReadLine(Trimmed(Line), Folder);
    Blocks.resize(std::min(Blocks.size(), Depth));
}

void TSwayConfigReader::ReadLine(const std::string& Line, const std::string& Folder) {
    if (Line.empty() || Line.front() == '#') {
        return;
    }
    if (Line == "}") {
        if (!Blocks.empty()) {
            Blocks.pop_back();
        }
        return;
    }
    std::vector<std::string> Words = SwayConfigWords(Substituted(Line));
    if (Words.empty()) {
        return;
    }
    if (Words.back() == "{") {
        Words.pop_back();
        TBlock Opened{
            .Kind = Words.empty() ? "" : Words.front(), .DefaultMode = InDefaultMode(), .Code = false};
        if (Opened.Kind == "mode") {
            const auto Name = std::find_if(Words.begin() + 1, Words.end(),
                                           [](const std::string& Word) { return !Word.starts_with("--"); });
            Opened.DefaultMode = Name != Words.end() && *Name == "default";
        }
        Opened.Code = Opened.Kind == "bindcode";
        Blocks.push_back(Opened);
        return;
    }
    if (!Blocks.empty() && (Blocks.back().Kind == "bindsym" || Blocks.back().Kind == "bindcode")) {
        Bind(Words, 0, Blocks.back().Code);
        return;
    }
    Statement(Words, Folder);
}

void TSwayConfigReader::Statement(const std::vector<std::string>& Words, const std::string& Folder) {
    const std::string& Command = Words.front();
    if (Command == "set" && Words.size() >= 2 && Words[1].starts_with('$')) {
        std::string Value;
        for (std::size_t I = 2; I < Words.size(); ++I) {
            Value += (I > 2 ? " " : "") + Words[I];
        }
        // A later set of the same name replaces the value; the longest name is tried first.
        std::erase_if(Variables, [&](const auto& Known) { return Known.first == Words[1]; });
        Variables.emplace_back(Words[1], Value);
        std::stable_sort(Variables.begin(), Variables.end(),
                         [](const auto& A, const auto& B) { return A.first.size() > B.first.size(); });
    } else if (Command == "include" && Words.size() >= 2) {
        Include(Words[1], Folder);
    } else if ((Command == "bindsym" || Command == "bindcode") && InDefaultMode()) {
        Bind(Words, 1, Command == "bindcode");
    } else if (Command == "mode" && Words.size() >= 3) {
        // The one-line form: mode NAME bindsym ...
        std::size_t Name = 1;
        while (Name < Words.size() && Words[Name].starts_with("--")) {
            ++Name;
        }
        if (Name + 1 < Words.size() && Words[Name] == "default" &&
            (Words[Name + 1] == "bindsym" || Words[Name + 1] == "bindcode")) {
            Bind(Words, Name + 2, Words[Name + 1] == "bindcode");
        }
    }
}

void TSwayConfigReader::Include(const std::string& Pattern, const std::string& Folder) {
    const std::string Absolute =
        Pattern.starts_with('/') || Pattern.starts_with('~') || Pattern.starts_with('$')
            ? Pattern
            : Folder + "/" + Pattern;
    for (const std::string& Path : Expand(Absolute)) {
        // An include inside a block applies nowhere useful; sway reads it at the top level too.
        const std::vector<TBlock> Outer = std::exchange(Blocks, {});
        ReadFile(Path);
        Blocks = Outer;
    }
}

void TSwayConfigReader::Bind(const std::vector<std::string>& Words, std::size_t From, bool Code) {
    while (From < Words.size() && Words[From].starts_with("--")) {
        ++From;
    }
    if (From < Words.size()) {
        if (auto Combination = ParseSwayCombination(Words[From], Code)) {
            Found.insert(std::move(*Combination));
        }
    }
}

std::string TSwayConfigReader::Substituted(const std::string& Line) const {
    if (Line.starts_with("set ")) {
        // The name being set is not replaced; its value is.
        const std::size_t Name = Line.find_first_not_of(" \t", 4);
        const std::size_t Value = Line.find_first_of(" \t", Name == std::string::npos ? Line.size() : Name);
        if (Value == std::string::npos) {
            return Line;
        }
        return Line.substr(0, Value) + Substituted(Line.substr(Value));
    }
    std::string Result;
    for (std::size_t I = 0; I < Line.size();) {
        const auto Match = Line[I] != '$'
                               ? Variables.end()
                               : std::find_if(Variables.begin(), Variables.end(), [&](const auto& Known) {
                                     return Line.compare(I, Known.first.size(), Known.first) == 0;
                                 });
        if (Match != Variables.end()) {
            Result += Match->second;
            I += Match->first.size();
        } else {
            Result += Line[I++];
        }
        // Values that name each other cannot grow a line beyond what a file may hold.
        if (Result.size() > MaxFileBytes) {
            Result.resize(MaxFileBytes);
            break;
        }
    }
    return Result;
}

bool TSwayConfigReader::InDefaultMode() const {
    return std::all_of(Blocks.begin(), Blocks.end(), [](const TBlock& Open) { return Open.DefaultMode; });
}

}  // namespace tulma
