#pragma once

#include <chrono>
#include <cstdint>
#include <map>

namespace tulma {

// Tells a key's autorepeat from presses for desktops that run a shortcut's command on every repeat
// (GNOME's custom keybindings, about every 30 ms while the keys are held): a request for the same hotkey
// within Gap of its previous one is a repeat. Nobody presses a combination twice that fast; the first
// repeat, one repeat delay (about half a second) after the press, cannot be told from a press.
class TPressRepeats {
  public:
    using TClock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds Gap{120};

    // Whether the request for hotkey ID at Now is a press (true) or a repeat of the one before (false).
    bool IsPress(std::int32_t ID, TClock::time_point Now);

  private:
    std::map<std::int32_t, TClock::time_point> Last;
};

}  // namespace tulma
