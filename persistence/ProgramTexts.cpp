#include "ProgramTexts.h"

#include <array>

namespace tulma {
namespace {

constexpr std::size_t TextCount = static_cast<std::size_t>(TProgramText::Count);

constexpr std::array<std::string_view, TextCount> BuiltIn = {
    "Klasse %1 nicht gefunden.",
    "Stream-Read-Fehler",
    "Kann Datei %1 nicht öffnen",
    "Kann Datei %1 nicht erstellen",
    "I/O-Fehler %1",
    "Listenindex außerhalb des zulässigen Bereichs",
    "Ungültige Typumwandlung",
    // The reading error alone, as the stream reports it: the file that is no hotkey file, and the
    // damaged one.
    "%2",
    "%2",
    "Meldung %1 nicht gefunden.",
    "Meldung",
    "Mess-ID %d wird von Meldung %s angefordert und bereits von Meldung %s verwendet.",
    "Umsch+",
    "Strg+",
    "Rück",
    "Leertaste",
    "BildAuf",
    "BildAb",
    "Ende",
    "Pos1",
    "Linksbündig",
    "Nach oben",
    "Rechts",
    "Nach unten",
    "Einfg",
    "Entf",
};

constexpr std::array<std::string_view, TextCount> Names = {
    "ClassNotFound",     "StreamReadError", "CannotOpenFile", "CannotCreateFile",
    "InOutError",        "ListIndexError",  "InvalidCast",    "NotAHotKeyFile",
    "DamagedHotKeyFile", "MessageNotFound", "MessageCaption", "DuplicateMessage",
    "ShiftPrefix",       "CtrlPrefix",      "KeyBackspace",   "KeySpace",
    "KeyPageUp",         "KeyPageDown",     "KeyEnd",         "KeyHome",
    "KeyLeft",           "KeyUp",           "KeyRight",       "KeyDown",
    "KeyInsert",         "KeyDelete",
};

std::array<std::string, TextCount>& InForce() {
    static std::array<std::string, TextCount> Texts = [] {
        std::array<std::string, TextCount> Initial;
        for (std::size_t I = 0; I < TextCount; ++I) {
            Initial[I] = BuiltIn[I];
        }
        return Initial;
    }();
    return Texts;
}

// Pattern with %1 to %9 replaced by the arguments; a placeholder without an argument stays as it is.
std::string Substitute(std::string_view Pattern, std::initializer_list<std::string_view> Args) {
    std::string Result;
    Result.reserve(Pattern.size());
    for (std::size_t I = 0; I < Pattern.size(); ++I) {
        const bool Placeholder =
            Pattern[I] == '%' && I + 1 < Pattern.size() && Pattern[I + 1] >= '1' && Pattern[I + 1] <= '9';
        const auto Index = Placeholder ? static_cast<std::size_t>(Pattern[I + 1] - '1') : Args.size();
        if (Index < Args.size()) {
            Result += Args.begin()[Index];
            ++I;
        } else {
            Result += Pattern[I];
        }
    }
    return Result;
}

}  // namespace

std::string_view BuiltInText(TProgramText Text) {
    return BuiltIn[static_cast<std::size_t>(Text)];
}

const std::string& ProgramText(TProgramText Text) {
    return InForce()[static_cast<std::size_t>(Text)];
}

std::string ProgramText(TProgramText Text, std::initializer_list<std::string_view> Args) {
    return Substitute(ProgramText(Text), Args);
}

void TranslateProgramTexts(const TTextTranslation& Translate) {
    for (std::size_t I = 0; I < TextCount; ++I) {
        std::string Translated = Translate(BuiltIn[I], Names[I]);
        InForce()[I] = Translated.empty() ? std::string(BuiltIn[I]) : std::move(Translated);
    }
}

void UseBuiltInTexts() {
    TranslateProgramTexts([](std::string_view, std::string_view) { return std::string(); });
}

}  // namespace tulma
