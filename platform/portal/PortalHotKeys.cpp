#include "PortalHotKeys.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QEventLoop>
#include <QTimer>

#include <map>
#include <optional>

#include "BusCall.h"
#include "BusNames.h"
#include "PlatformLog.h"
#include "PortalRequest.h"
#include "ShortcutTrigger.h"

namespace tulma {
namespace {

const QString ShortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
// The desktop names a program's shortcut group after the session token when it cannot tell the
// program's application id (a program that is not sandboxed). The proof's session binds nothing and has
// a token of its own, so that closing it never touches a running Tulma's group.
const QString DefaultGroup = QStringLiteral("tulma");
const QString ProofToken = QStringLiteral("tulma_proof");
const QString KdeShortcutService = QStringLiteral("org.kde.kglobalaccel");
constexpr int ProofWaitMs = 3000;
constexpr int CloseWaitMs = 1000;
constexpr uint Errored = 2;
const QString SessionInterface = QStringLiteral("org.freedesktop.portal.Session");
const std::string Refused = "the desktop portal refused global shortcuts: ";

QString Text(const std::string& Value) {
    return QString::fromStdString(Value);
}

// The session handle comes as an object path or, from some portal versions, as a string.
QString PathOf(const QVariant& Value) {
    return Value.metaType() == QMetaType::fromType<QDBusObjectPath>() ? Value.value<QDBusObjectPath>().path()
                                                                      : Value.toString();
}

void CloseSessionAt(QDBusConnection& Bus, const QString& Session, QDBus::CallMode Mode) {
    CallBusMethod(Bus, {PortalService, Session, SessionInterface, QStringLiteral("Close")}, {}, CloseWaitMs,
                  Mode);
}

}  // namespace

bool TPortalHotKeys::Available() {
    const TBusMethod GetProperty{PortalService, PortalPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                 QStringLiteral("Get")};
    const QDBusMessage Reply = CallBusMethod(QDBusConnection::sessionBus(), GetProperty,
                                             {ShortcutsInterface, QStringLiteral("version")}, 2000);
    if (Reply.type() != QDBusMessage::ReplyMessage) {
        qCDebug(PlatformLog) << "no GlobalShortcuts portal:" << Reply.errorMessage();
        return false;
    }
    return true;
}

TBackendVerdict TPortalHotKeys::Prove() {
    if (!Available()) {
        return {false, "the desktop offers no global shortcuts portal"};
    }
    RegisterPortalShortcutTypes();
    QDBusConnection Bus = QDBusConnection::sessionBus();
    std::optional<std::pair<uint, QString>> Answer;
    QEventLoop Wait;
    {
        // The request dies with its context: an answer after the wait is dropped.
        QObject Context;
        TPortalRequest::Call(&Context, Bus, ShortcutsInterface, QStringLiteral("CreateSession"), {},
                             {{QStringLiteral("session_handle_token"), ProofToken},
                              {QStringLiteral("shortcuts"), QVariant::fromValue(TPortalShortcutList())}},
                             [&](uint Code, const QVariantMap& Results) {
                                 Answer = {Code, PathOf(Results.value(QStringLiteral("session_handle")))};
                                 Wait.quit();
                             });
        QTimer::singleShot(ProofWaitMs, &Wait, &QEventLoop::quit);
        Wait.exec();
    }
    if (!Answer) {
        return {false,
                Refused + "no answer to CreateSession within " + std::to_string(ProofWaitMs / 1000) + " s"};
    }
    const auto& [Code, Session] = *Answer;
    if (Code != 0 || Session.isEmpty()) {
        return {false, Refused + "CreateSession answered response " + std::to_string(Code)};
    }
    CloseSessionAt(Bus, Session, QDBus::NoBlock);
    return {true, "CreateSession answered response 0"};
}

TPortalHotKeys::TPortalHotKeys(std::function<std::string()> Group, QObject* Parent)
    : QObject(Parent), Bus(QDBusConnection::sessionBus()), Group(std::move(Group)), Token(DefaultGroup) {
    RegisterPortalShortcutTypes();
    Bus.connect(PortalService, PortalPath, ShortcutsInterface, QStringLiteral("Activated"), this,
                SLOT(OnActivated(QDBusMessage)));
    Bus.connect(PortalService, PortalPath, ShortcutsInterface, QStringLiteral("Deactivated"), this,
                SLOT(OnDeactivated(QDBusMessage)));
    Bus.connect(PortalService, PortalPath, ShortcutsInterface, QStringLiteral("ShortcutsChanged"), this,
                SLOT(OnShortcutsChanged(QDBusMessage)));
}

// The program may end right after: the close is waited for (briefly), so that it reaches the portal.
TPortalHotKeys::~TPortalHotKeys() {
    CloseSession(QDBus::Block);
}

bool TPortalHotKeys::RegisterHotKey(std::uint16_t Id, unsigned Modifiers, std::uint8_t VirtualKey) {
    const std::string Trigger = ShortcutTrigger(Modifiers, VirtualKey);
    if (Trigger.empty() || Triggers.contains(Trigger) || Shortcuts.contains(Id)) {
        return false;
    }
    Triggers.insert(Trigger);
    const auto Name = Names.find(Id);
    const std::string Key = Name != Names.end() ? Name->second.first : RegistrationKey(Id);
    Shortcuts[Id] = {Key, Name != Names.end() ? Name->second.second : Key, Trigger, std::nullopt};
    QueueBind();
    return true;
}

void TPortalHotKeys::UnregisterHotKey(std::uint16_t Id) {
    if (const auto Found = Shortcuts.find(Id); Found != Shortcuts.end()) {
        Triggers.erase(Found->second.Trigger);
        Shortcuts.erase(Found);
        QueueBind();
    }
    Names.erase(Id);
}

void TPortalHotKeys::SetPressHandler(TPressHandler Handler) {
    Pressed = std::move(Handler);
}

// KDE skips a shortcut without a description.
void TPortalHotKeys::NameHotKey(std::uint16_t Id, const std::string& Key, const std::string& Description) {
    Names[Id] = {Key, Description.empty() ? Key : Description};
}

std::optional<std::string> TPortalHotKeys::AssignedCombination(std::uint16_t Id) const {
    const auto Found = Shortcuts.find(Id);
    if (Found == Shortcuts.end() || !Found->second.Assigned ||
        SameTrigger(*Found->second.Assigned, Found->second.Trigger)) {
        return std::nullopt;
    }
    return Found->second.Assigned;
}

void TPortalHotKeys::SetAssignmentHandler(std::function<void()> Handler) {
    AssignmentChanged = std::move(Handler);
}

// A whole file of hotkeys is registered in one turn of the event loop: it is bound once.
void TPortalHotKeys::QueueBind() {
    if (!BindQueued) {
        BindQueued = true;
        QTimer::singleShot(0, this, [this] {
            BindQueued = false;
            Bind();
        });
    }
}

void TPortalHotKeys::Bind() {
    if (Binding) {
        BindAgain = true;
        return;
    }
    CloseSession();
    const QString Wanted = Group ? Text(Group()) : DefaultGroup;
    if (Wanted != Token) {
        // Nothing of this run is bound in the new group yet: its remembered triggers stay.
        LastBound.clear();
        Token = Wanted;
    }
    ForgetChangedShortcuts();
    if (Shortcuts.empty()) {
        return;
    }
    Binding = true;
    // KDE Plasma 5.27 takes the shortcuts from the session's options and ignores those of
    // BindShortcuts; later versions read BindShortcuts. Both get the list.
    TPortalRequest::Call(this, Bus, ShortcutsInterface, QStringLiteral("CreateSession"), {},
                         {{QStringLiteral("session_handle_token"), Token},
                          {QStringLiteral("shortcuts"), QVariant::fromValue(ShortcutList())}},
                         [this](uint Code, const QVariantMap& Results) { SessionCreated(Code, Results); });
}

void TPortalHotKeys::CloseSession(QDBus::CallMode Mode) {
    if (Session.isEmpty()) {
        return;
    }
    Bus.disconnect(PortalService, Session, SessionInterface, QStringLiteral("Closed"), this,
                   SLOT(OnSessionClosed()));
    CloseSessionAt(Bus, Session, Mode);
    Session.clear();
    Held.clear();
}

void TPortalHotKeys::SessionCreated(uint Code, const QVariantMap& Results) {
    Session = PathOf(Results.value(QStringLiteral("session_handle")));
    if (Code != 0 || Session.isEmpty()) {
        qCWarning(PlatformLog) << "the portal refused a shortcut session, code" << Code;
        Session.clear();
        BindDone();
        emit Failed(QString::fromStdString(Refused) + "CreateSession answered response " +
                    QString::number(Code));
        return;
    }
    Bus.connect(PortalService, Session, SessionInterface, QStringLiteral("Closed"), this,
                SLOT(OnSessionClosed()));
    TPortalRequest::Call(
        this, Bus, ShortcutsInterface, QStringLiteral("BindShortcuts"),
        {QVariant::fromValue(QDBusObjectPath(Session)), QVariant::fromValue(ShortcutList()), QString()}, {},
        [this](uint Code, const QVariantMap& Results) { BindAnswered(Code, Results); });
}

void TPortalHotKeys::BindAnswered(uint Code, const QVariantMap& Results) {
    if (Code != 0) {
        qCWarning(PlatformLog) << "the portal did not bind the shortcuts, code" << Code;
        TakeAssignments({});
    } else {
        TakeAssignments(PortalShortcutsOf(Results.value(QStringLiteral("shortcuts"))));
    }
    BindDone();
    // Response 1 is the user declining in the desktop's dialog: a choice, not a failure.
    if (Code == Errored) {
        emit Failed(QString::fromStdString(Refused) + "BindShortcuts answered response " +
                    QString::number(Code));
    }
}

void TPortalHotKeys::OnSessionClosed() {
    qCWarning(PlatformLog) << "the portal closed the shortcut session";
    Session.clear();
    Held.clear();
    emit Failed(QStringLiteral("the desktop portal closed the global shortcuts session"));
}

void TPortalHotKeys::BindDone() {
    Binding = false;
    if (BindAgain) {
        BindAgain = false;
        Bind();
    }
}

// A shortcut missing from the desktop's list has no trigger. The list is read once, so that a set of
// many shortcuts costs no more per shortcut than a small one.
void TPortalHotKeys::TakeAssignments(const TPortalShortcutList& Assigned) {
    std::map<std::string, std::string> Described;
    for (const TPortalShortcut& Given : Assigned) {
        Described[Given.Id.toStdString()] =
            Given.Properties.value(QStringLiteral("trigger_description")).toString().toStdString();
    }
    for (auto& [Id, Entry] : Shortcuts) {
        const auto Found = Described.find(Entry.Key);
        Entry.Assigned = Found != Described.end() ? Found->second : std::string();
        qCDebug(PlatformLog) << "shortcut" << Text(Entry.Key) << "asked" << Text(Entry.Trigger) << "assigned"
                             << Text(*Entry.Assigned);
    }
    if (AssignmentChanged) {
        AssignmentChanged();
    }
}

TPortalShortcutList TPortalHotKeys::ShortcutList() const {
    TPortalShortcutList List;
    for (const auto& [Id, Entry] : Shortcuts) {
        List.append({Text(Entry.Key),
                     {{QStringLiteral("description"), Text(Entry.Description)},
                      {QStringLiteral("preferred_trigger"), Text(Entry.Trigger)}}});
    }
    return List;
}

// KDE's shortcut service keeps the trigger of a shortcut it knows over a new preference and keeps a
// shortcut that a new set leaves out, so a hotkey given another combination in Tulma would go on
// running on its old one, and a deleted one would hold its keys. Such shortcuts are removed there
// before the set is bound; the desktop's own choices for unchanged shortcuts stay. Other desktops
// have no such service and are not asked.
void TPortalHotKeys::ForgetChangedShortcuts() {
    std::map<std::string, std::string> Now;
    for (const auto& [Id, Entry] : Shortcuts) {
        Now[Entry.Key] = Entry.Trigger;
    }
    QStringList Changed;
    for (const auto& [Key, Trigger] : LastBound) {
        if (const auto Current = Now.find(Key); Current == Now.end() || Current->second != Trigger) {
            Changed.append(Text(Key));
        }
    }
    LastBound = std::move(Now);
    if (Changed.isEmpty() || !BusNameHasOwner(Bus, KdeShortcutService)) {
        return;
    }
    for (const QString& Key : Changed) {
        const TBusMethod Forget{KdeShortcutService, QStringLiteral("/kglobalaccel"),
                                QStringLiteral("org.kde.KGlobalAccel"), QStringLiteral("unregister")};
        const QDBusMessage Reply = CallBusMethod(Bus, Forget, {Token, Key}, 2000);
        qCDebug(PlatformLog) << "shortcut" << Key << "removed from the desktop's shortcut service:"
                             << (Reply.type() == QDBusMessage::ReplyMessage ? QStringLiteral("yes")
                                                                            : Reply.errorMessage());
    }
}

std::optional<std::uint16_t> TPortalHotKeys::IdOfKey(const QString& Key) const {
    for (const auto& [Id, Entry] : Shortcuts) {
        if (Text(Entry.Key) == Key) {
            return Id;
        }
    }
    return std::nullopt;
}

bool TPortalHotKeys::FromOurSession(const QDBusMessage& Signal) const {
    return !Session.isEmpty() && !Signal.arguments().isEmpty() &&
           PathOf(Signal.arguments().first()) == Session;
}

// One run per press: a held key may be reported again before its release.
void TPortalHotKeys::OnActivated(const QDBusMessage& Signal) {
    if (!FromOurSession(Signal) || Signal.arguments().size() < 2) {
        return;
    }
    const QString Key = Signal.arguments().at(1).toString();
    const auto Id = IdOfKey(Key);
    if (!Id || !Held.insert(Key).second) {
        return;
    }
    qCDebug(PlatformLog) << "portal shortcut activated:" << Key;
    // Posted, like a grabbed press, so that the run meets the application's error handler.
    QTimer::singleShot(0, this, [this, Id] {
        if (Pressed) {
            Pressed(*Id);
        }
    });
}

void TPortalHotKeys::OnDeactivated(const QDBusMessage& Signal) {
    if (FromOurSession(Signal) && Signal.arguments().size() >= 2) {
        Held.erase(Signal.arguments().at(1).toString());
    }
}

void TPortalHotKeys::OnShortcutsChanged(const QDBusMessage& Signal) {
    if (FromOurSession(Signal) && Signal.arguments().size() >= 2) {
        TakeAssignments(PortalShortcutsOf(Signal.arguments().at(1)));
    }
}

}  // namespace tulma
