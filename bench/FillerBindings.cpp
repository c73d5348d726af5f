#include "FillerBindings.h"

namespace tulma::bench {
namespace {

constexpr std::uint16_t FirstFunctionKey = 0x70;  // F1
constexpr int FunctionKeys = 12;
constexpr std::uint16_t FirstKeypadDigit = 0x60;
// Page up, page down, end, home, left, up, right, down.
constexpr std::uint16_t FirstNavigationKey = 0x21;
const char* const NavigationKeys[] = {"Prior", "Next", "End", "Home", "Left", "Up", "Right", "Down"};

std::vector<std::uint16_t> CommonKeys() {
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
    for (std::size_t Index = 0; Index < std::size(NavigationKeys); ++Index) {
        Keys.push_back(static_cast<std::uint16_t>(FirstNavigationKey + Index));
    }
    return Keys;
}

bool IsMeasured(std::uint16_t Combination) {
    return Combination == (CtrlBit | AltBit | 'K') || Combination == (CtrlBit | AltBit | 'L');
}

std::string KeyName(std::uint16_t Key) {
    if (Key >= FirstFunctionKey && Key < FirstFunctionKey + FunctionKeys) {
        return "F" + std::to_string(Key - FirstFunctionKey + 1);
    }
    if (Key >= FirstKeypadDigit && Key < FirstKeypadDigit + 10) {
        return "KP_" + std::to_string(Key - FirstKeypadDigit);
    }
    if (Key >= FirstNavigationKey && Key < FirstNavigationKey + std::size(NavigationKeys)) {
        return NavigationKeys[Key - FirstNavigationKey];
    }
    return std::string(1, static_cast<char>(Key >= 'A' && Key <= 'Z' ? Key - 'A' + 'a' : Key));
}

}  // namespace

std::vector<std::uint16_t> FillerCombinations(int Count) {
    std::vector<std::uint16_t> Distinct;
    for (const int Modifiers : {0, ShiftBit, CtrlBit, AltBit, ShiftBit | CtrlBit, ShiftBit | AltBit,
                                CtrlBit | AltBit, ShiftBit | CtrlBit | AltBit}) {
        for (const std::uint16_t Key : CommonKeys()) {
            const auto Combination = static_cast<std::uint16_t>(Modifiers | Key);
            if (!IsMeasured(Combination)) {
                Distinct.push_back(Combination);
            }
        }
    }
    std::vector<std::uint16_t> Combinations;
    for (int Index = 0; Index < Count; ++Index) {
        Combinations.push_back(Distinct[static_cast<std::size_t>(Index) % Distinct.size()]);
    }
    return Combinations;
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

std::string SxhkdConfiguration(int Fillers, const std::string& Chord, const std::string& Command) {
    std::string Configuration;
    for (const std::uint16_t Combination : FillerCombinations(Fillers)) {
        Configuration += SxhkdChord(Combination) + "\n    true\n";
    }
    return Configuration + Chord + "\n    " + Command + "\n";
}

}  // namespace tulma::bench
