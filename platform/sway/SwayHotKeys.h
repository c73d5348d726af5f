#pragma once

#include <QObject>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "HotKeyRegistry.h"
#include "SwayBindingRecord.h"
#include "SwayConfig.h"
#include "SwayConnection.h"

namespace tulma {

// System-wide hotkeys through sway's IPC socket: each registration is a binding of the default mode whose
// command starts nothing and names it (`nop tulma:<pid>:<key>`); a second connection hears the binding
// events and reports the presses. sway replaces any binding silently, so combinations that the user's
// configuration binds are refused instead. A reload of sway's configuration drops run-time bindings:
// they are bound again on its reload event. The destructor takes every binding back; those of a killed
// Tulma are taken back by the next start (TSwayBindingRecord).
class TSwayHotKeys : public QObject, public IHotKeyRegistry {
    Q_OBJECT
  public:
    // Throws ESwayIpc when the socket does not answer.
    explicit TSwayHotKeys(const std::string& SocketPath, QObject* Parent = nullptr);
    ~TSwayHotKeys() override;

    bool RegisterHotKey(std::uint16_t Id, unsigned Modifiers, std::uint8_t VirtualKey) override;
    std::vector<bool> RegisterHotKeys(std::span<const THotKeyRegistration> Registrations) override;
    void UnregisterHotKey(std::uint16_t Id) override;
    void UnregisterHotKeys(std::span<const std::uint16_t> Ids) override;
    void SetPressHandler(TPressHandler Handler) override;
    void NameHotKey(std::uint16_t Id, const std::string& Key, const std::string& Description) override;
    std::optional<std::string> AssignedCombination(std::uint16_t Id) const override;
    void SetAssignmentHandler(std::function<void()> Handler) override;
    std::string RefusalReason(std::uint16_t Id) const override;

    // Empty while sway serves; else why the hotkeys do nothing.
    const std::string& Trouble() const { return Lost; }

  signals:
    // Trouble() changed.
    void TroubleChanged();

  private:
    struct TBinding {
        std::string Combination;
        std::string Tag;
        std::set<TSwayCombination> Spellings;
    };

    TSwayConnection Commands;
    TSwayConnection Events;
    TSwayBindingRecord Record;
    std::set<TSwayCombination> Configured;
    // Registrations bound in sway, and those that a reload found taken by the configuration since.
    std::map<std::uint16_t, TBinding> Bound;
    std::set<std::uint16_t> TakenSince;
    std::map<std::uint16_t, std::string> Keys;
    std::map<std::uint16_t, std::string> Refusals;
    TPressHandler Pressed;
    std::function<void()> AssignmentChanged;
    std::string Lost;

    void ReadConfiguration();
    bool Configures(const TBinding& Wanted) const;
    // Runs commands in order; sway stops a list at its first failure, so the rest go again. Returns each
    // command's error, empty when it succeeded.
    std::vector<std::string> Run(const std::vector<std::string>& List);
    void Unbind(const std::vector<std::string>& Combinations);
    void BindAgain();
    void BindAgainAfterReload(int Attempt);
    void WriteRecord() const;
    void OnEvent(std::uint32_t Type, const QJsonObject& Body);
    void GoneAway(const QString& Reason);
    void Fail(const std::string& What);
};

}  // namespace tulma
