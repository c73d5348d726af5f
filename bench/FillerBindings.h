#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tulma::bench {

constexpr int ShiftBit = 0x2000, CtrlBit = 0x4000, AltBit = 0x8000;

// How a file's filler hotkeys take their combinations. Distinct: each one once, from every key that the
// test display's keyboard has and Tulma can name, with every set of Shift, Ctrl and Alt (none too), except
// the ones openbox's default configuration holds. That makes 742: the format has no other modifiers and
// the keyboard no other keys, so fillers past those have no combination and start from the list or the
// tray only. Repeating: the older filler, from fewer keys, repeating once they run out (after 528), so
// that about half are refused as taken, and ten more by openbox.
enum class TFiller { Distinct, Repeating };

// Count combinations, as a hotkey file stores them (0 for none), for the hotkeys that only fill a file or
// a configuration, in a fixed order. Ctrl+Alt with K or L never comes: those are the measured hotkeys.
std::vector<std::uint16_t> FillerCombinations(int Count, TFiller Kind = TFiller::Distinct);

// The combination written as sxhkd's configuration writes it ("ctrl + alt + F1").
std::string SxhkdChord(std::uint16_t Combination);

// An sxhkd configuration with the bindings of Fillers filler hotkeys (those with a combination) that run
// "true", then Chord running Command.
std::string SxhkdConfiguration(int Fillers, const std::string& Chord, const std::string& Command,
                               TFiller Kind = TFiller::Distinct);

}  // namespace tulma::bench
