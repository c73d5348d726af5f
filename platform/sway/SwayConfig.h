#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tulma {

// A key combination as sway's configuration writes it: modifier bits and a key. Keys of `bindsym` are
// keysym names in lower case; keys of `bindcode` are keycodes in decimal.
struct TSwayCombination {
    enum : unsigned { Shift = 1, Lock = 2, Ctrl = 4, Alt = 8, Mod2 = 16, Mod3 = 32, Logo = 64, Mod5 = 128 };
    unsigned Modifiers = 0;
    std::string Key;
    bool Code = false;

    auto operator<=>(const TSwayCombination&) const = default;  // NOLINT(readability-identifier-naming)
};

// "Ctrl+Alt+k" (the modifier names are sway's, in any case) as a combination; nothing when a part is
// empty.
std::optional<TSwayCombination> ParseSwayCombination(std::string_view Text, bool Code);

// The combinations that the default mode of a sway configuration binds, read the way sway reads it:
// `set` variables, line continuations, `bindsym`/`bindcode` lines and blocks, `mode` blocks (bindings of
// other modes do not count) and `include` of further files, in order. Files are read through Read (at
// most MaxFileBytes of each) and include patterns expanded through Expand, so that tests hand in bytes;
// a file included twice, or beyond MaxFiles, is skipped.
class TSwayConfigReader {
  public:
    static constexpr std::size_t MaxFileBytes = 1U << 20U;
    static constexpr std::size_t MaxFiles = 64;

    using TFileReader = std::function<std::optional<std::string>(const std::string& Path)>;
    using TPatternExpander = std::function<std::vector<std::string>(const std::string& Pattern)>;

    // Reads from the file system, expanding includes as sway's shell-like expansion does (~, globs).
    TSwayConfigReader();
    TSwayConfigReader(TFileReader Read, TPatternExpander Expand);

    // The main file: its text (sway hands it out), its path for relative includes.
    void ReadText(std::string_view Text, const std::string& Path);
    void ReadFile(const std::string& Path);

    const std::set<TSwayCombination>& Bindings() const { return Found; }
    // Files named by includes that could not be read.
    const std::vector<std::string>& Unreadable() const { return Missed; }

  private:
    struct TBlock {
        std::string Kind;
        bool DefaultMode = true;
        bool Code = false;
    };

    TFileReader Read;
    TPatternExpander Expand;
    std::vector<std::pair<std::string, std::string>> Variables;
    std::set<std::string> Seen;
    std::set<TSwayCombination> Found;
    std::vector<std::string> Missed;
    std::vector<TBlock> Blocks;

    void ReadLine(const std::string& Line, const std::string& Folder);
    void Statement(const std::vector<std::string>& Words, const std::string& Folder);
    void Include(const std::string& Pattern, const std::string& Folder);
    void Bind(const std::vector<std::string>& Words, std::size_t From, bool Code);
    std::string Substituted(const std::string& Line) const;
    bool InDefaultMode() const;
};

// The words of a configuration line: blanks separate, quotes (double or single) group and are removed.
std::vector<std::string> SwayConfigWords(std::string_view Line);

}  // namespace tulma
