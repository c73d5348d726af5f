#pragma once

#include <cstdint>
#include <functional>

namespace tulma {

// Modifier flags of a registration, with their Windows numbers.
constexpr unsigned MOD_ALT = 1;
constexpr unsigned MOD_CONTROL = 2;
constexpr unsigned MOD_SHIFT = 4;

// System-wide hotkeys: a key combination pressed anywhere on the desktop is reported with the identifier
// it was registered under.
class HotKeyRegistry {
  public:
    using PressHandler = std::function<void(std::uint16_t Id)>;

    HotKeyRegistry() = default;
    HotKeyRegistry(const HotKeyRegistry&) = delete;
    HotKeyRegistry& operator=(const HotKeyRegistry&) = delete;
    virtual ~HotKeyRegistry() = default;

    // Registers Modifiers (MOD_* bits) + VirtualKey under Id. Fails when another program holds the
    // combination, when this process holds it under another identifier, when Id is already registered,
    // or when the key does not exist on the keyboard.
    virtual bool RegisterHotKey(std::uint16_t Id, unsigned Modifiers, std::uint8_t VirtualKey) = 0;
    // Ends the registration under Id; an identifier without one is ignored.
    virtual void UnregisterHotKey(std::uint16_t Id) = 0;
    // Called on the user-interface thread with the identifier of each pressed registration.
    virtual void SetPressHandler(PressHandler Handler) = 0;
};

}  // namespace tulma
