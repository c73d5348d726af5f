#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tulma::bench {

constexpr int ShiftBit = 0x2000, CtrlBit = 0x4000, AltBit = 0x8000;

// Count key combinations, as a hotkey file stores them, for the hotkeys that only fill a file or a
// configuration: every set of Shift, Ctrl and Alt (none too) with every key that all layouts of the test
// display have (letters, digits, F1-F12, keypad digits, the navigation block), in a fixed order and
// repeating once they run out, so that some are refused as taken. Ctrl+Alt with K or L never comes:
// those are the measured hotkeys.
std::vector<std::uint16_t> FillerCombinations(int Count);

// The combination written as sxhkd's configuration writes it ("ctrl + alt + F1").
std::string SxhkdChord(std::uint16_t Combination);

// An sxhkd configuration with Fillers bindings that run "true", then Chord running Command.
std::string SxhkdConfiguration(int Fillers, const std::string& Chord, const std::string& Command);

}  // namespace tulma::bench
