#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tulma {

// Modifier flags of a registration, with their Windows names and numbers.
// NOLINTBEGIN(readability-identifier-naming)
constexpr unsigned MOD_ALT = 1;
constexpr unsigned MOD_CONTROL = 2;
constexpr unsigned MOD_SHIFT = 4;
// NOLINTEND(readability-identifier-naming)

// One registration: Modifiers (MOD_* bits) + VirtualKey under Id.
struct THotKeyRegistration {
    std::uint16_t Id = 0;
    unsigned Modifiers = 0;
    std::uint8_t VirtualKey = 0;
};

// The Key under which a registration is named (IHotKeyRegistry::NameHotKey), and the one a desktop that
// needs a key is given for a registration left unnamed: "hotkey-" and Number in decimal.
inline std::string RegistrationKey(std::int32_t Number) {
    return "hotkey-" + std::to_string(Number);
}

// System-wide hotkeys: a key combination pressed anywhere on the desktop is reported with the identifier
// it was registered under.
class IHotKeyRegistry {
  public:
    using TPressHandler = std::function<void(std::uint16_t Id)>;

    IHotKeyRegistry() = default;
    IHotKeyRegistry(const IHotKeyRegistry&) = delete;
    IHotKeyRegistry& operator=(const IHotKeyRegistry&) = delete;
    virtual ~IHotKeyRegistry() = default;

    // Registers Modifiers (MOD_* bits) + VirtualKey under Id. Fails when another program holds the
    // combination, when this process holds it under another identifier, when Id is already registered,
    // or when the key does not exist on the keyboard.
    virtual bool RegisterHotKey(std::uint16_t Id, unsigned Modifiers, std::uint8_t VirtualKey) = 0;
    // RegisterHotKey for each registration, in order; whether each was registered. Window systems that can
    // answer many registrations at once override it, so that a file of many hotkeys registers quickly; they
    // may answer before every check is done and withdraw a registration later (SetWithdrawalHandler).
    virtual std::vector<bool> RegisterHotKeys(std::span<const THotKeyRegistration> Registrations) {
        std::vector<bool> Registered;
        Registered.reserve(Registrations.size());
        for (const THotKeyRegistration& Registration : Registrations) {
            Registered.push_back(
                RegisterHotKey(Registration.Id, Registration.Modifiers, Registration.VirtualKey));
        }
        return Registered;
    }
    // Ends the registration under Id; an identifier without one is ignored.
    virtual void UnregisterHotKey(std::uint16_t Id) = 0;
    // UnregisterHotKey for each identifier; overridden like RegisterHotKeys.
    virtual void UnregisterHotKeys(std::span<const std::uint16_t> Ids) {
        for (const std::uint16_t Id : Ids) {
            UnregisterHotKey(Id);
        }
    }
    // Called on the user-interface thread with the identifier of each pressed registration.
    virtual void SetPressHandler(TPressHandler Handler) = 0;

    // Names the registration under Id for desktops that list a program's shortcuts: Key stays the same
    // from run to run, Description is shown to the user. Call before RegisterHotKey.
    virtual void NameHotKey(std::uint16_t /*Id*/, const std::string& /*Key*/,
                            const std::string& /*Description*/) {}
    // When the desktop, not the program, decides the combinations: the one it put in place of the
    // combination registered under Id, empty when it assigned none; nothing when it took the one asked
    // for. Decisions arrive later than the registration and may change at any time.
    virtual std::optional<std::string> AssignedCombination(std::uint16_t /*Id*/) const {
        return std::nullopt;
    }
    // Called on the user-interface thread whenever AssignedCombination may have changed.
    virtual void SetAssignmentHandler(std::function<void()> /*Handler*/) {}
    // Called on the user-interface thread with registrations that were reported registered but that the
    // window system refused afterwards; they are registered no longer.
    using TWithdrawalHandler = std::function<void(const std::vector<std::uint16_t>& Ids)>;
    virtual void SetWithdrawalHandler(TWithdrawalHandler /*Handler*/) {}
    // Why the last registration under Id failed, in words for the user ("your sway configuration binds
    // Ctrl+Mod1+k"); empty when the window system does not say.
    virtual std::string RefusalReason(std::uint16_t /*Id*/) const { return {}; }
};

}  // namespace tulma
