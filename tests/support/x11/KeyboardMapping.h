#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include <xcb/xcb.h>

namespace tulma::test {

// Changes the server's keyboard mapping for a test and puts the old keysyms back afterwards.
class KeyboardMapping {
  public:
    explicit KeyboardMapping(xcb_connection_t* Connection);
    ~KeyboardMapping();
    KeyboardMapping(const KeyboardMapping&) = delete;
    KeyboardMapping& operator=(const KeyboardMapping&) = delete;

    // The key now types Keysyms (column 0, 1, ...); the other columns become empty.
    void Set(xcb_keycode_t Keycode, const std::vector<std::uint32_t>& Keysyms);

  private:
    xcb_connection_t* Connection;
    std::uint8_t PerCode = 0;
    std::map<xcb_keycode_t, std::vector<std::uint32_t>> Saved;

    std::vector<std::uint32_t> Read(xcb_keycode_t Keycode);
    void Write(xcb_keycode_t Keycode, std::vector<std::uint32_t> Keysyms);
};

}  // namespace tulma::test
