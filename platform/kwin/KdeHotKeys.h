#pragma once

#include <QDBusConnection>
#include <QObject>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "BackendChoice.h"
#include "HotKeyRegistry.h"

namespace tulma {

// Where a Tulma's shortcuts live in KDE's shortcut service: the component's name, stable from run to
// run, and its title in KDE's shortcut settings.
struct TKdeComponent {
    std::string Name;
    std::string Title;
};

// System-wide hotkeys as actions of KDE's global shortcut service (kglobalaccel), which KWin hosts in a
// Plasma Wayland session and which sees every key press. Each registration is one action of this Tulma's
// component with the combination as its only key; KDE answers each at once, so a file of many hotkeys is
// sent in one go and waited for together. A removal waits for the end of the event loop's turn: an action
// registered again in the same turn as it was (a reload of the file) is left alone, so that a reload or an
// edit touches only the actions that changed. A combination
// that KDE or another component holds is refused with the holder's name. KDE keeps the actions of a
// program that has gone: the destructor takes this run's back, and the first registration in a
// component removes what an earlier run left there.
class TKdeHotKeys : public QObject, public IHotKeyRegistry {
    Q_OBJECT
  public:
    using TComponentOf = std::function<TKdeComponent()>;

    // Whether KWin hosts the shortcut service on the session bus and it answers.
    static TBackendVerdict Prove();

    // Component names the component of the registrations to come; it is asked at each registration,
    // so that a file opened later gets its own.
    explicit TKdeHotKeys(TComponentOf Component, QObject* Parent = nullptr);
    ~TKdeHotKeys() override;

    bool RegisterHotKey(std::uint16_t Id, unsigned Modifiers, std::uint8_t VirtualKey) override;
    std::vector<bool> RegisterHotKeys(std::span<const THotKeyRegistration> Registrations) override;
    void UnregisterHotKey(std::uint16_t Id) override;
    void UnregisterHotKeys(std::span<const std::uint16_t> Ids) override;
    void SetPressHandler(TPressHandler Handler) override;
    void NameHotKey(std::uint16_t Id, const std::string& Key, const std::string& Description) override;
    std::string RefusalReason(std::uint16_t Id) const override;

  private slots:
    void OnPressed(const QString& Component, const QString& Action, qlonglong Timestamp);
    void OnReleased(const QString& Component, const QString& Action, qlonglong Timestamp);

  private:
    struct TAction {
        QString Component;
        QString Name;
        QString Title;
        int Keys = 0;
    };
    using TActionKey = std::pair<QString, QString>;

    QDBusConnection Bus;
    TComponentOf ComponentOf;
    std::map<std::uint16_t, TAction> Registered;
    // Actions unregistered in this turn of the event loop, by component and name, not yet removed in KDE.
    std::map<TActionKey, TAction> Leaving;
    std::map<std::uint16_t, std::pair<std::string, std::string>> Names;
    std::map<std::uint16_t, std::string> Refusals;
    // The components this run has used: their presses are listened to, their leftovers removed.
    std::set<QString> Components;
    // Actions held down: a further press before the release is a repeat.
    std::set<TActionKey> Held;
    TPressHandler Pressed;

    void UseComponent(const QString& Component);
    // Removes the actions left since the last turn of the event loop.
    void ForgetLeaving();
    void Forget(const TAction& Action);
    std::string HolderOf(int Keys) const;
};

}  // namespace tulma
