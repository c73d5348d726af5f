#pragma once

#include <string>

namespace tulma {

class TIDList;
class THotTulma;

// The hotkey of HotKeys that Name means: the one named exactly Name, otherwise the one whose name reads
// Name as menus show it (a single "&" marks the accelerator and is left out, "&&" stands for "&").
// Among several, the one with the lowest identifier, the oldest. nullptr when no hotkey fits.
const THotTulma* FindHotKey(const TIDList& HotKeys, const std::string& Name);

// Name as a menu shows it, without its accelerator marks.
std::string MenuText(const std::string& Name);

}  // namespace tulma
