#include "SwayHotKeys.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QMetaObject>
#include <QTimer>

#include <unistd.h>

#include <algorithm>

#include "PlatformLog.h"
#include "SwayKeys.h"

namespace tulma {
namespace {

// The command of every binding: it starts nothing, and names its program and process.
const std::string TagPrefix = "tulma:" + std::to_string(getpid()) + ":";

std::string BindCommand(const std::string& Combination, const std::string& Tag) {
    return "mode \"default\" bindsym --no-repeat " + Combination + " nop " + Tag;
}

std::string UnbindCommand(const std::string& Combination) {
    return "mode \"default\" unbindsym " + Combination;
}

// Long lists go in parts, so that no request grows without bound.
constexpr std::size_t CommandsPerRequest = 200;

}  // namespace

TSwayHotKeys::TSwayHotKeys(const std::string& SocketPath, QObject* Parent)
    : QObject(Parent), Commands(SocketPath), Events(SocketPath), Record(SocketPath) {
    Record.ClearLeftovers([this](const std::vector<std::string>& Combinations) { Unbind(Combinations); });
    ReadConfiguration();
    connect(&Events, &TSwayConnection::Event, this, &TSwayHotKeys::OnEvent);
    connect(&Events, &TSwayConnection::Lost, this, &TSwayHotKeys::GoneAway);
    Events.Listen({"binding", "workspace", "shutdown"});
}

TSwayHotKeys::~TSwayHotKeys() {
    std::vector<std::string> Combinations;
    for (const auto& [Id, Held] : Bound) {
        Combinations.push_back(Held.Combination);
    }
    if (Lost.empty()) {
        try {
            Unbind(Combinations);
        } catch (const ESwayIpc& Error) {
            qCWarning(PlatformLog) << "sway bindings left behind:" << Error.what();
            return;
        }
    }
}

void TSwayHotKeys::ReadConfiguration() {
    Configured.clear();
    try {
        const QString Path =
            Commands.Ask(SwayIpc::GetVersion).object().value("loaded_config_file_name").toString();
        const QString Text = Commands.Ask(SwayIpc::GetConfig).object().value("config").toString();
        TSwayConfigReader Reader;
        Reader.ReadText(Text.toStdString(), Path.toStdString());
        Configured = Reader.Bindings();
        for (const std::string& Missed : Reader.Unreadable()) {
            qCWarning(PlatformLog) << "sway configuration: cannot read" << Missed.c_str();
        }
    } catch (const ESwayIpc& Error) {
        qCWarning(PlatformLog) << "sway configuration not read:" << Error.what();
    }
}

bool TSwayHotKeys::Configures(const TBinding& Wanted) const {
    return std::any_of(Wanted.Spellings.begin(), Wanted.Spellings.end(),
                       [this](const TSwayCombination& Spelling) { return Configured.contains(Spelling); });
}

bool TSwayHotKeys::RegisterHotKey(std::uint16_t Id, unsigned Modifiers, std::uint8_t VirtualKey) {
    const THotKeyRegistration Registration{Id, Modifiers, VirtualKey};
    return RegisterHotKeys({&Registration, 1}).front();
}

std::vector<bool> TSwayHotKeys::RegisterHotKeys(std::span<const THotKeyRegistration> Registrations) {
    std::vector<bool> Registered(Registrations.size(), false);
    std::vector<std::string> List;
    std::vector<std::pair<std::size_t, TBinding>> Asked;
    std::set<std::string> Taken;
    for (const auto& [Id, Held] : Bound) {
        Taken.insert(Held.Combination);
    }
    const std::set<std::string> Others = Record.HeldByOthers();
    for (std::size_t I = 0; I < Registrations.size(); ++I) {
        const THotKeyRegistration& Registration = Registrations[I];
        Refusals.erase(Registration.Id);
        TBinding Wanted{
            .Combination = SwayCombinationText(Registration.Modifiers, Registration.VirtualKey),
            .Tag = TagPrefix + (Keys.contains(Registration.Id) ? Keys[Registration.Id]
                                                               : "atom-" + std::to_string(Registration.Id)),
            .Spellings = SwaySpellings(Registration.Modifiers, Registration.VirtualKey)};
        if (Wanted.Combination.empty() || Bound.contains(Registration.Id) || !Lost.empty() ||
            !Taken.insert(Wanted.Combination).second) {
            continue;
        }
        if (Configures(Wanted)) {
            Refusals[Registration.Id] = "your sway configuration binds " + Wanted.Combination;
            continue;
        }
        if (Others.contains(Wanted.Combination)) {
            Refusals[Registration.Id] = "another Tulma binds " + Wanted.Combination + " in this sway session";
            continue;
        }
        List.push_back(BindCommand(Wanted.Combination, Wanted.Tag));
        Asked.emplace_back(I, std::move(Wanted));
    }
    const std::vector<std::string> Errors = Run(List);
    for (std::size_t K = 0; K < Asked.size(); ++K) {
        const std::uint16_t Id = Registrations[Asked[K].first].Id;
        if (Errors[K].empty()) {
            Registered[Asked[K].first] = true;
            Bound[Id] = std::move(Asked[K].second);
        } else {
            Refusals[Id] = "sway refused it: " + Errors[K];
            qCDebug(PlatformLog).noquote()
                << "sway refused" << QString::fromStdString(Asked[K].second.Combination)
                << QString::fromStdString(Errors[K]);
        }
    }
    WriteRecord();
    return Registered;
}

void TSwayHotKeys::UnregisterHotKey(std::uint16_t Id) {
    UnregisterHotKeys({&Id, 1});
}

void TSwayHotKeys::UnregisterHotKeys(std::span<const std::uint16_t> Ids) {
    std::vector<std::string> Combinations;
    for (const std::uint16_t Id : Ids) {
        Refusals.erase(Id);
        TakenSince.erase(Id);
        if (const auto Held = Bound.find(Id); Held != Bound.end()) {
            Combinations.push_back(Held->second.Combination);
            Bound.erase(Held);
        }
    }
    if (Lost.empty()) {
        Unbind(Combinations);
    }
    WriteRecord();
}

void TSwayHotKeys::Unbind(const std::vector<std::string>& Combinations) {
    std::vector<std::string> List;
    for (const std::string& Combination : Combinations) {
        List.push_back(UnbindCommand(Combination));
    }
    // A combination that sway no longer holds (a reload dropped it) is no fault.
    for (const std::string& Error : Run(List)) {
        if (!Error.empty()) {
            qCDebug(PlatformLog).noquote() << "sway:" << QString::fromStdString(Error);
        }
    }
}

std::vector<std::string> TSwayHotKeys::Run(const std::vector<std::string>& List) {
    std::vector<std::string> Errors(List.size());
    std::size_t Next = 0;
    while (Next < List.size()) {
        std::string Joined;
        for (std::size_t I = Next; I < List.size() && I < Next + CommandsPerRequest; ++I) {
            Joined += (I > Next ? "; " : "") + List[I];
        }
        const QJsonArray Results =
            Commands.Ask(SwayIpc::RunCommand, QByteArray::fromStdString(Joined)).array();
        if (Results.isEmpty()) {
            throw ESwayIpc("sway answered no result for its commands");
        }
        for (const QJsonValue& Result : Results) {
            if (Next < List.size() && !Result.toObject().value("success").toBool()) {
                Errors[Next] = Result.toObject().value("error").toString("failed").toStdString();
            }
            ++Next;
        }
    }
    return Errors;
}

void TSwayHotKeys::BindAgain() {
    ReadConfiguration();
    std::vector<std::string> List;
    std::vector<std::uint16_t> Ids;
    for (auto Held = Bound.begin(); Held != Bound.end();) {
        if (Configures(Held->second)) {
            TakenSince.insert(Held->first);
            Held = Bound.erase(Held);
            continue;
        }
        List.push_back(BindCommand(Held->second.Combination, Held->second.Tag));
        Ids.push_back(Held->first);
        ++Held;
    }
    const std::vector<std::string> Errors = Run(List);
    for (std::size_t I = 0; I < Ids.size(); ++I) {
        if (!Errors[I].empty()) {
            TakenSince.insert(Ids[I]);
            Bound.erase(Ids[I]);
        }
    }
    WriteRecord();
    if (AssignmentChanged) {
        AssignmentChanged();
    }
}

// sway may still be busy with its reload: a request that fails is tried again a few times before the
// hotkeys are given up for lost, which the session notice then says.
void TSwayHotKeys::BindAgainAfterReload(int Attempt) {
    constexpr int Attempts = 5;
    try {
        BindAgain();
    } catch (const ESwayIpc& Error) {
        qCWarning(PlatformLog) << "binding again after sway's reload failed:" << Error.what();
        if (Attempt + 1 < Attempts) {
            QTimer::singleShot(500, this, [this, Attempt] { BindAgainAfterReload(Attempt + 1); });
        } else {
            Fail(std::string("sway dropped the hotkeys at its reload and did not take them again (") +
                 Error.what() + ")");
        }
    }
}

void TSwayHotKeys::WriteRecord() const {
    std::vector<std::string> Combinations;
    for (const auto& [Id, Held] : Bound) {
        Combinations.push_back(Held.Combination);
    }
    Record.Write(Combinations);
}

void TSwayHotKeys::OnEvent(std::uint32_t Type, const QJsonObject& Body) {
    if (Type == SwayIpc::BindingEvent && Body.value("change").toString() == "run") {
        const std::string Command =
            Body.value("binding").toObject().value("command").toString().toStdString();
        for (const auto& [Id, Held] : Bound) {
            if (Command == "nop " + Held.Tag) {
                // Posted, as every press is: modal loops serve it and an error meets the application's
                // handler.
                QMetaObject::invokeMethod(
                    this,
                    [this, Atom = Id] {
                        if (Pressed) {
                            Pressed(Atom);
                        }
                    },
                    Qt::QueuedConnection);
                return;
            }
        }
    } else if (Type == SwayIpc::WorkspaceEvent && Body.value("change").toString() == "reload") {
        qCDebug(PlatformLog) << "sway reloaded its configuration: binding again";
        BindAgainAfterReload(0);
    } else if (Type == SwayIpc::ShutdownEvent) {
        GoneAway("sway is shutting down");
    }
}

void TSwayHotKeys::GoneAway(const QString& Reason) {
    if (!Lost.empty()) {
        return;
    }
    Bound.clear();
    WriteRecord();
    Fail("sway has gone away (" + Reason.toStdString() + ")");
}

void TSwayHotKeys::Fail(const std::string& What) {
    if (!Lost.empty()) {
        return;
    }
    Lost = What + ": hotkeys do nothing until Tulma starts again";
    qCWarning(PlatformLog).noquote() << QString::fromStdString(Lost);
    emit TroubleChanged();
}

void TSwayHotKeys::SetPressHandler(TPressHandler Handler) {
    Pressed = std::move(Handler);
}

void TSwayHotKeys::NameHotKey(std::uint16_t Id, const std::string& Key, const std::string&) {
    Keys[Id] = Key;
}

std::optional<std::string> TSwayHotKeys::AssignedCombination(std::uint16_t Id) const {
    if (TakenSince.contains(Id)) {
        return std::string();
    }
    return std::nullopt;
}

void TSwayHotKeys::SetAssignmentHandler(std::function<void()> Handler) {
    AssignmentChanged = std::move(Handler);
}

std::string TSwayHotKeys::RefusalReason(std::uint16_t Id) const {
    const auto Found = Refusals.find(Id);
    return Found != Refusals.end() ? Found->second : std::string();
}

}  // namespace tulma
