#include "FillerBindings.h"

#include <algorithm>
#include <utility>

namespace tulma::bench {
namespace {

constexpr std::uint16_t FirstFunctionKey = 0x70;  // F1
constexpr int FunctionKeys = 12;
constexpr std::uint16_t FirstKeypadDigit = 0x60;

// Keys by their virtual-key code and keysym name: the navigation block (page up, page down, end, home,
// left, up, right, down), which the older filler had too, then the rest that the test display's keyboard
// has: keypad operators, punctuation, editing and system keys.
const std::pair<std::uint16_t, const char*> NamedKeys[] = {
    {0x21, "Prior"},       {0x22, "Next"},      {0x23, "End"},          {0x24, "Home"},
    {0x25, "Left"},        {0x26, "Up"},        {0x27, "Right"},        {0x28, "Down"},
    {0x6A, "KP_Multiply"}, {0x6B, "KP_Add"},    {0x6D, "KP_Subtract"},  {0x6E, "KP_Decimal"},
    {0x6F, "KP_Divide"},   {0xBA, "semicolon"}, {0xBB, "equal"},        {0xBC, "comma"},
    {0xBD, "minus"},       {0xBE, "period"},    {0xBF, "slash"},        {0xC0, "grave"},
    {0xDB, "bracketleft"}, {0xDC, "backslash"}, {0xDD, "bracketright"}, {0xDE, "apostrophe"},
    {0xE2, "less"},        {0x08, "BackSpace"}, {0x09, "Tab"},          {0x0D, "Return"},
    {0x13, "Pause"},       {0x1B, "Escape"},    {0x20, "space"},        {0x2A, "Print"},
    {0x2D, "Insert"},      {0x2E, "Delete"},    {0x2F, "Help"},         {0x5D, "Menu"},
    {0x91, "Scroll_Lock"},
};
constexpr std::size_t NavigationKeys = 8;

// What openbox's default configuration binds among these keys: A-Escape, A-F4, A-Print, A-Tab, A-S-Tab,
// A-space, C-A-Tab, C-A and S-A with the arrows, Print.
constexpr std::uint16_t HeldByOpenbox[] = {
    AltBit | 0x1B,
    AltBit | 0x73,
    AltBit | 0x2A,
    AltBit | 0x09,
    ShiftBit | AltBit | 0x09,
    AltBit | 0x20,
    CtrlBit | AltBit | 0x09,
    CtrlBit | AltBit | 0x25,
    CtrlBit | AltBit | 0x26,
    CtrlBit | AltBit | 0x27,
    CtrlBit | AltBit | 0x28,
    ShiftBit | AltBit | 0x25,
    ShiftBit | AltBit | 0x26,
    ShiftBit | AltBit | 0x27,
    ShiftBit | AltBit | 0x28,
    0x2A,
};

constexpr int ModifierSets[] = {0,
                                ShiftBit,
                                CtrlBit,
                                AltBit,
                                ShiftBit | CtrlBit,
                                ShiftBit | AltBit,
                                CtrlBit | AltBit,
                                ShiftBit | CtrlBit | AltBit};

// Letters, digits, F1-F12, keypad digits and the first Named entries of NamedKeys.
std::vector<std::uint16_t> Keys(std::size_t Named) {
    std::vector<std::uint16_t> Keys;
    for (std::uint16_t Key = 'A'; Key <= 'Z'; ++Key) {
        Keys.push_back(Key);
    }
    for (std::uint16_t Key = '0'; Key <= '9'; ++Key) {
        Keys.push_back(Key);
    }
    for (int Index = 0; Index < FunctionKeys; ++Index) {
        Keys.push_back(static_cast<std::uint16_t>(FirstFunctionKey + Index));
    }
    for (int Index = 0; Index < 10; ++Index) {
        Keys.push_back(static_cast<std::uint16_t>(FirstKeypadDigit + Index));
    }
    for (std::size_t Index = 0; Index < Named; ++Index) {
        Keys.push_back(NamedKeys[Index].first);
    }
    return Keys;
}

bool IsMeasured(std::uint16_t Combination) {
    return Combination == (CtrlBit | AltBit | 'K') || Combination == (CtrlBit | AltBit | 'L');
}

bool IsHeldByOpenbox(std::uint16_t Combination) {
    return std::find(std::begin(HeldByOpenbox), std::end(HeldByOpenbox), Combination) !=
           std::end(HeldByOpenbox);
}

std::vector<std::uint16_t> Combinations(std::size_t Named, bool SkipOpenbox) {
    std::vector<std::uint16_t> Distinct;
    for (const int Modifiers : ModifierSets) {
        for (const std::uint16_t Key : Keys(Named)) {
            const auto Combination = static_cast<std::uint16_t>(Modifiers | Key);
            if (!IsMeasured(Combination) && !(SkipOpenbox && IsHeldByOpenbox(Combination))) {
                Distinct.push_back(Combination);
            }
        }
    }
    return Distinct;
}

std::string KeyName(std::uint16_t Key) {
    if (Key >= FirstFunctionKey && Key < FirstFunctionKey + FunctionKeys) {
        return "F" + std::to_string(Key - FirstFunctionKey + 1);
    }
    if (Key >= FirstKeypadDigit && Key < FirstKeypadDigit + 10) {
        return "KP_" + std::to_string(Key - FirstKeypadDigit);
    }
    for (const auto& [Code, Name] : NamedKeys) {
        if (Code == Key) {
            return Name;
        }
    }
    return std::string(1, static_cast<char>(Key >= 'A' && Key <= 'Z' ? Key - 'A' + 'a' : Key));
}

}  // namespace

std::vector<std::uint16_t> FillerCombinations(int Count, TFiller Kind) {
    const bool Distinct = Kind == TFiller::Distinct;
    const std::vector<std::uint16_t> Available =
        Distinct ? Combinations(std::size(NamedKeys), true) : Combinations(NavigationKeys, false);
    std::vector<std::uint16_t> Filler;
    for (std::size_t Index = 0; Index < static_cast<std::size_t>(Count); ++Index) {
        Filler.push_back(Distinct ? (Index < Available.size() ? Available[Index] : 0)
                                  : Available[Index % Available.size()]);
    }
    return Filler;
}

std::string SxhkdChord(std::uint16_t Combination) {
    std::string Chord;
    for (const auto& [Bit, Name] :
         {std::pair{ShiftBit, "shift"}, std::pair{CtrlBit, "ctrl"}, std::pair{AltBit, "alt"}}) {
        if (Combination & Bit) {
            Chord += std::string(Name) + " + ";
        }
    }
    return Chord + KeyName(Combination & 0xFF);
}

std::string SxhkdConfiguration(int Fillers, const std::string& Chord, const std::string& Command,
                               TFiller Kind) {
    std::string Configuration;
    for (const std::uint16_t Combination : FillerCombinations(Fillers, Kind)) {
        if (Combination != 0) {
            Configuration += SxhkdChord(Combination) + "\n    true\n";
        }
    }
    return Configuration + Chord + "\n    " + Command + "\n";
}

}  // namespace tulma::bench
