#include "KdeHotKeys.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QTimer>

#include <algorithm>
#include <set>
#include <vector>

#include "BusCall.h"
#include "BusNames.h"
#include "PlatformLog.h"
#include "QtKeys.h"

namespace tulma {
namespace {

const QString Service = QStringLiteral("org.kde.kglobalaccel");
const QString ComponentInterface = QStringLiteral("org.kde.kglobalaccel.Component");
constexpr int AnswerWaitMs = 5000;
constexpr int ProofWaitMs = 2000;
// setShortcut's flags: the action is in use (its key is grabbed), and the key given is the one to take,
// not one that KDE's settings remember for the action: the hotkey file decides.
constexpr uint SetPresent = 2;
constexpr uint NoAutoloading = 4;

QString Text(const std::string& Value) {
    return QString::fromStdString(Value);
}

TBusMethod Method(const char* Name) {
    return {Service, QStringLiteral("/kglobalaccel"), QStringLiteral("org.kde.KGlobalAccel"),
            QString::fromLatin1(Name)};
}

QString ComponentPath(const QString& Component) {
    return QStringLiteral("/component/") + Component;
}

QString NameOwner(const QDBusConnection& Bus, const QString& Name) {
    const QDBusMessage Reply =
        CallBusMethod(Bus,
                      {QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                       QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetNameOwner")},
                      {Name}, ProofWaitMs);
    return Reply.type() == QDBusMessage::ReplyMessage ? Reply.arguments().value(0).toString() : QString();
}

}  // namespace

// A kglobalaccel outside KWin (on X11, or started by the bus elsewhere) sees no keys of Wayland programs:
// only KWin's own counts, and only when it answers.
TBackendVerdict TKdeHotKeys::Prove() {
    const QDBusConnection Bus = QDBusConnection::sessionBus();
    if (!BusNameHasOwner(Bus, Service)) {
        return {false, "KDE's global shortcut service is not on the session bus"};
    }
    if (NameOwner(Bus, Service) != NameOwner(Bus, QStringLiteral("org.kde.KWin"))) {
        return {false, "KDE's global shortcut service does not run in KWin"};
    }
    const QDBusMessage Reply = CallBusMethod(Bus, Method("allMainComponents"), {}, ProofWaitMs);
    if (Reply.type() != QDBusMessage::ReplyMessage) {
        return {false, "KDE's global shortcut service did not answer: " + Reply.errorMessage().toStdString()};
    }
    return {true, "KWin's global shortcut service answers"};
}

TKdeHotKeys::TKdeHotKeys(TComponentOf Component, QObject* Parent)
    : QObject(Parent), Bus(QDBusConnection::sessionBus()), ComponentOf(std::move(Component)) {}

// Nothing stays in KDE's settings: the actions are marked unused and each component's clean-up removes
// them and the component with them (an unregistered action would leave its component behind, empty). The
// program may end right after, so the last call is waited for: KDE answers in order.
TKdeHotKeys::~TKdeHotKeys() {
    for (const auto& [Id, Action] : Registered) {
        Leaving[{Action.Component, Action.Name}] = Action;
    }
    for (const auto& [Key, Action] : Leaving) {
        Bus.send(BusMethodCall(Method("setInactive"), {QStringList{Action.Component, Action.Name, {}, {}}}));
    }
    for (const QString& Component : Components) {
        CallBusMethod(Bus, {Service, ComponentPath(Component), ComponentInterface, QStringLiteral("cleanUp")},
                      {}, AnswerWaitMs, Component == *Components.rbegin() ? QDBus::Block : QDBus::NoBlock);
    }
}

bool TKdeHotKeys::RegisterHotKey(std::uint16_t Id, unsigned Modifiers, std::uint8_t VirtualKey) {
    const THotKeyRegistration Registration{Id, Modifiers, VirtualKey};
    return RegisterHotKeys({&Registration, 1}).front();
}

// All actions are sent before the first answer is waited for: KDE answers them in one stream.
std::vector<bool> TKdeHotKeys::RegisterHotKeys(std::span<const THotKeyRegistration> Registrations) {
    const TKdeComponent Component = ComponentOf();
    const QString Name = Text(Component.Name);
    UseComponent(Name);
    std::vector<bool> Done(Registrations.size(), false);
    std::vector<std::pair<std::size_t, TAction>> Wanted;
    std::set<int> InUse;
    for (const auto& [Id, Action] : Registered) {
        InUse.insert(Action.Keys);
    }
    for (std::size_t Index = 0; Index < Registrations.size(); ++Index) {
        const THotKeyRegistration& Registration = Registrations[Index];
        Refusals.erase(Registration.Id);
        const int Keys = QtKeyCombination(Registration.Modifiers, Registration.VirtualKey);
        if (Keys == 0 || Registered.contains(Registration.Id) || !InUse.insert(Keys).second) {
            continue;
        }
        const auto Named = Names.find(Registration.Id);
        const QString Action =
            Text(Named != Names.end() ? Named->second.first : RegistrationKey(Registration.Id));
        const TAction Asked{Name, Action, Named != Names.end() ? Text(Named->second.second) : Action, Keys};
        Registered[Registration.Id] = Asked;
        const auto Kept = Leaving.find({Name, Action});
        if (Kept != Leaving.end() && Kept->second.Keys == Keys && Kept->second.Title == Asked.Title) {
            Leaving.erase(Kept);
            Done[Index] = true;
            continue;
        }
        Wanted.emplace_back(Index, Asked);
    }
    // What is left goes first: its keys may be the ones asked for now.
    ForgetLeaving();
    std::vector<QDBusPendingCall> Asked;
    for (const auto& [Index, Action] : Wanted) {
        const QStringList ActionId{Name, Action.Name, Text(Component.Title), Action.Title};
        Bus.send(BusMethodCall(Method("doRegister"), {ActionId}));
        Asked.push_back(Bus.asyncCall(
            BusMethodCall(Method("setShortcut"), {ActionId, QVariant::fromValue(QList<int>{Action.Keys}),
                                                  SetPresent | NoAutoloading}),
            AnswerWaitMs));
    }
    for (std::size_t Each = 0; Each < Wanted.size(); ++Each) {
        Asked[Each].waitForFinished();
        const std::uint16_t Id = Registrations[Wanted[Each].first].Id;
        const TAction& Action = Wanted[Each].second;
        const QDBusMessage Reply = Asked[Each].reply();
        const auto Given = qdbus_cast<QList<int>>(Reply.arguments().value(0));
        if (Reply.type() == QDBusMessage::ReplyMessage && Given.contains(Action.Keys)) {
            Done[Wanted[Each].first] = true;
            continue;
        }
        Refusals[Id] = Reply.type() == QDBusMessage::ReplyMessage
                           ? HolderOf(Action.Keys)
                           : "KDE's shortcut service failed: " + Reply.errorMessage().toStdString();
        qCDebug(PlatformLog).noquote() << "KDE refused" << Action.Name << ":" << Text(Refusals[Id]);
        Forget(Action);
        Registered.erase(Id);
    }
    return Done;
}

void TKdeHotKeys::UnregisterHotKey(std::uint16_t Id) {
    UnregisterHotKeys({&Id, 1});
}

void TKdeHotKeys::UnregisterHotKeys(std::span<const std::uint16_t> Ids) {
    for (const std::uint16_t Id : Ids) {
        if (const auto Found = Registered.find(Id); Found != Registered.end()) {
            const TActionKey Key{Found->second.Component, Found->second.Name};
            if (Leaving.empty()) {
                QTimer::singleShot(0, this, &TKdeHotKeys::ForgetLeaving);
            }
            Leaving[Key] = Found->second;
            Held.erase(Key);
            Registered.erase(Found);
        }
        Names.erase(Id);
        Refusals.erase(Id);
    }
}

void TKdeHotKeys::SetPressHandler(TPressHandler Handler) {
    Pressed = std::move(Handler);
}

// KDE's settings list an action by its description.
void TKdeHotKeys::NameHotKey(std::uint16_t Id, const std::string& Key, const std::string& Description) {
    Names[Id] = {Key, Description.empty() ? Key : Description};
}

std::string TKdeHotKeys::RefusalReason(std::uint16_t Id) const {
    const auto Found = Refusals.find(Id);
    return Found != Refusals.end() ? Found->second : std::string();
}

// The first use of a component in this run listens to it and removes what a Tulma on the same file left
// there when it did not end cleanly, so that none of those actions holds a key that runs nothing.
void TKdeHotKeys::UseComponent(const QString& Component) {
    if (!Components.insert(Component).second) {
        return;
    }
    Bus.connect(Service, ComponentPath(Component), ComponentInterface,
                QStringLiteral("globalShortcutPressed"), this, SLOT(OnPressed(QString, QString, qlonglong)));
    Bus.connect(Service, ComponentPath(Component), ComponentInterface,
                QStringLiteral("globalShortcutReleased"), this,
                SLOT(OnReleased(QString, QString, qlonglong)));
    const QDBusMessage Left = CallBusMethod(
        Bus, {Service, ComponentPath(Component), ComponentInterface, QStringLiteral("shortcutNames")}, {},
        AnswerWaitMs);
    if (Left.type() != QDBusMessage::ReplyMessage) {
        return;
    }
    for (const QString& Action : Left.arguments().value(0).toStringList()) {
        qCDebug(PlatformLog).noquote() << "removing" << Action << "left in KDE's component" << Component;
        Forget({Component, Action, {}, 0});
    }
}

void TKdeHotKeys::ForgetLeaving() {
    for (const auto& [Key, Action] : Leaving) {
        Forget(Action);
    }
    Leaving.clear();
}

void TKdeHotKeys::Forget(const TAction& Action) {
    CallBusMethod(Bus, Method("unregister"), {Action.Component, Action.Name}, AnswerWaitMs, QDBus::NoBlock);
}

// KDE's answer names no holder: it is asked for the one action that has the keys.
std::string TKdeHotKeys::HolderOf(int Keys) const {
    const QDBusMessage Reply = CallBusMethod(Bus, Method("getGlobalShortcutsByKey"), {Keys}, AnswerWaitMs);
    if (Reply.type() == QDBusMessage::ReplyMessage &&
        Reply.arguments().value(0).canConvert<QDBusArgument>()) {
        const auto Infos = Reply.arguments().value(0).value<QDBusArgument>();
        Infos.beginArray();
        if (!Infos.atEnd()) {
            QString ActionName, ActionTitle, ComponentName, ComponentTitle, ContextName, ContextTitle;
            QList<int> Current, Default;
            Infos.beginStructure();
            Infos >> ActionName >> ActionTitle >> ComponentName >> ComponentTitle >> ContextName >>
                ContextTitle >> Current >> Default;
            Infos.endStructure();
            return "KDE gives it to \"" + ActionTitle.toStdString() + "\" of " + ComponentTitle.toStdString();
        }
    }
    return "KDE's shortcut service did not take it";
}

// One run per press: a held key may be reported again before its release.
void TKdeHotKeys::OnPressed(const QString& Component, const QString& Action, qlonglong /*Timestamp*/) {
    const auto Found = std::ranges::find_if(Registered, [&](const auto& Entry) {
        return Entry.second.Component == Component && Entry.second.Name == Action;
    });
    if (Found == Registered.end() || !Held.insert({Component, Action}).second) {
        return;
    }
    // Posted, like a grabbed press, so that the run meets the application's error handler.
    QTimer::singleShot(0, this, [this, Id = Found->first] {
        if (Pressed) {
            Pressed(Id);
        }
    });
}

void TKdeHotKeys::OnReleased(const QString& Component, const QString& Action, qlonglong /*Timestamp*/) {
    Held.erase({Component, Action});
}

}  // namespace tulma
