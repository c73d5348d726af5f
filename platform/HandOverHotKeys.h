#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "HotKeyRegistry.h"

namespace tulma {

// The hotkey registry of the program: passes everything to the backend in use, and hands over to another
// one when that fails later (a desktop portal that closes its session): the registrations and names in
// force move to the next backend, with the handlers.
class THandOverHotKeys : public IHotKeyRegistry {
  public:
    explicit THandOverHotKeys(IHotKeyRegistry& First) : Current(&First) {}

    // Moves every registration in force to Next; returns the identifiers that Next refused, which are
    // registered no longer.
    std::vector<std::uint16_t> HandOver(IHotKeyRegistry& Next);

    bool RegisterHotKey(std::uint16_t Id, unsigned Modifiers, std::uint8_t VirtualKey) override;
    std::vector<bool> RegisterHotKeys(std::span<const THotKeyRegistration> Registrations) override;
    void UnregisterHotKey(std::uint16_t Id) override;
    void UnregisterHotKeys(std::span<const std::uint16_t> Ids) override;
    void SetPressHandler(TPressHandler Handler) override;
    void NameHotKey(std::uint16_t Id, const std::string& Key, const std::string& Description) override;
    std::optional<std::string> AssignedCombination(std::uint16_t Id) const override;
    void SetAssignmentHandler(std::function<void()> Handler) override;
    std::string RefusalReason(std::uint16_t Id) const override;
    void SetWithdrawalHandler(TWithdrawalHandler Handler) override;

  private:
    IHotKeyRegistry* Current;
    std::map<std::uint16_t, THotKeyRegistration> Held;
    std::map<std::uint16_t, std::pair<std::string, std::string>> Names;
    TPressHandler Pressed;
    std::function<void()> AssignmentChanged;
    TWithdrawalHandler Withdrawn;

    // The handler the backend in use is given: a withdrawn registration is no longer held.
    TWithdrawalHandler Forgetting();
};

}  // namespace tulma
