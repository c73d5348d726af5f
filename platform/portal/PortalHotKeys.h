#pragma once

#include <QDBusConnection>
#include <QObject>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "BackendChoice.h"
#include "HotKeyRegistry.h"
#include "PortalShortcuts.h"

class QDBusMessage;

namespace tulma {

// System-wide hotkeys through the desktop's GlobalShortcuts portal, for Wayland sessions, where key
// grabs see only the keys of X11 programs. Each registration becomes a shortcut of one portal session
// whose preferred trigger is the combination; the desktop decides the trigger it really binds
// (AssignedCombination). The portal cannot take single shortcuts back, so every change of the set
// closes the session and binds the whole set in a new one, once per turn of the event loop. The session
// carries the name of the desktop's shortcut group, asked anew at each binding: Tulmas on different
// hotkey files own different groups, so that one's session ending leaves the other's shortcuts alone.
class TPortalHotKeys : public QObject, public IHotKeyRegistry {
    Q_OBJECT
  public:
    // Whether the session bus lists the GlobalShortcuts portal; asks it, waiting up to two seconds.
    static bool Available();
    // Whether the portal serves global shortcuts here: only a session that it opens proves it, since a
    // portal may list the interface and refuse every session. Waits five seconds at most.
    static TBackendVerdict Prove();

    // Group gives the name of the shortcut group (see ShortcutGroup); without it, "tulma".
    explicit TPortalHotKeys(std::function<std::string()> Group = {}, QObject* Parent = nullptr);
    ~TPortalHotKeys() override;

    bool RegisterHotKey(std::uint16_t Id, unsigned Modifiers, std::uint8_t VirtualKey) override;
    void UnregisterHotKey(std::uint16_t Id) override;
    void SetPressHandler(TPressHandler Handler) override;
    void NameHotKey(std::uint16_t Id, const std::string& Key, const std::string& Description) override;
    std::optional<std::string> AssignedCombination(std::uint16_t Id) const override;
    void SetAssignmentHandler(std::function<void()> Handler) override;

  signals:
    // The portal stopped serving after it had proved to: it refused a new session, failed to bind the
    // shortcuts or closed the session. Reason is in words for the user.
    void Failed(const QString& Reason);

  private slots:
    void OnSessionClosed();
    void OnActivated(const QDBusMessage& Signal);
    void OnDeactivated(const QDBusMessage& Signal);
    void OnShortcutsChanged(const QDBusMessage& Signal);

  private:
    struct TShortcut {
        std::string Key;
        std::string Description;
        std::string Trigger;
        // What the desktop assigned: nothing until it said, then its description of the trigger.
        std::optional<std::string> Assigned;
    };

    QDBusConnection Bus;
    std::function<std::string()> Group;
    // The group of the session bound last.
    QString Token;
    std::map<std::uint16_t, TShortcut> Shortcuts;
    // The triggers of Shortcuts, each held once.
    std::set<std::string> Triggers;
    std::map<std::uint16_t, std::pair<std::string, std::string>> Names;
    // The trigger of each shortcut id in the last set bound in this run, in the group Token.
    std::map<std::string, std::string> LastBound;
    TPressHandler Pressed;
    std::function<void()> AssignmentChanged;
    QString Session;
    // Shortcut ids held down: a further Activated before Deactivated is a repeat.
    std::set<QString> Held;
    bool BindQueued = false;
    bool Binding = false;
    bool BindAgain = false;

    void QueueBind();
    void Bind();
    void CloseSession(QDBus::CallMode Mode = QDBus::NoBlock);
    void SessionCreated(uint Code, const QVariantMap& Results);
    void BindAnswered(uint Code, const QVariantMap& Results);
    void BindDone();
    void TakeAssignments(const TPortalShortcutList& Assigned);
    TPortalShortcutList ShortcutList() const;
    void ForgetChangedShortcuts();
    std::optional<std::uint16_t> IdOfKey(const QString& Key) const;
    bool FromOurSession(const QDBusMessage& Signal) const;
};

}  // namespace tulma
