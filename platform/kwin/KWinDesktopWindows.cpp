#include "KWinDesktopWindows.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <optional>

#include "KWinScript.h"
#include "PlatformLog.h"
#include "WindowTitle.h"

namespace tulma {
namespace {

constexpr TWindowHandle NativeBit = TWindowHandle{1} << 63;

// Managed windows that a user would switch to, topmost first, the active one marked, with the program's
// names: for a native window the executable's name and its app id, for an X11 one WM_CLASS, which KWin
// gives in lower case. KWin 5 calls a window a client and has no stacking list, only each window's place
// in it.
const QString ListProgram = QStringLiteral(R"(
(function () {
    var active = workspace.activeWindow !== undefined ? workspace.activeWindow : workspace.activeClient;
    var activeId = active ? String(active.internalId) : "";
    var list = [];
    if (workspace.stackingOrder !== undefined) {
        list = workspace.stackingOrder;
    } else {
        var clients = workspace.clientList();
        for (var c = 0; c < clients.length; ++c) {
            list.push(clients[c]);
        }
        list.sort(function (a, b) { return a.stackingOrder - b.stackingOrder; });
    }
    var found = [];
    for (var i = list.length - 1; i >= 0; --i) {
        var w = list[i];
        if (w.normalWindow || w.dialog) {
            found.push({caption: String(w.caption), id: String(w.internalId), x11: w.windowId ? w.windowId : 0,
                        name: String(w.resourceName), app: String(w.resourceClass),
                        active: String(w.internalId) === activeId});
        }
    }
    callDBus(REPLY_SERVICE, REPLY_PATH, REPLY_INTERFACE, "Report", JSON.stringify(found));
})();
)");

const QString ActivateProgram = QStringLiteral(R"(
(function () {
    var list = workspace.clientList();
    var done = false;
    for (var i = 0; i < list.length; ++i) {
        var w = list[i];
        if (String(w.internalId) === WINDOW_ID) {
            w.minimized = false;
            w.setMaximize(false, false);
            if ("activeWindow" in workspace) {
                workspace.activeWindow = w;
            } else {
                workspace.activeClient = w;
            }
            done = true;
        }
    }
    callDBus(REPLY_SERVICE, REPLY_PATH, REPLY_INTERFACE, "Report", JSON.stringify(done));
})();
)");

// The X window id of a listed window; 0 for a native one (and for anything that is no X window id).
TWindowHandle X11Window(const QJsonValue& Id) {
    const qint64 Value = Id.toInteger();
    return Value > 0 && Value <= 0xFFFFFFFF ? static_cast<TWindowHandle>(Value) : 0;
}

}  // namespace

TKWinDesktopWindows::TKWinDesktopWindows(IDesktopWindows& X11Windows)
    : X11Windows(X11Windows), Script(std::make_unique<TKWinScript>()) {}

TKWinDesktopWindows::~TKWinDesktopWindows() = default;

std::vector<TWindowHandle> TKWinDesktopWindows::TopLevelWindows() {
    return HandlesOf(Snapshot());
}

TWindowSnapshot TKWinDesktopWindows::Snapshot() {
    const auto Answer = Script->Run(ListProgram);
    if (!Answer) {
        // KWin did not answer: the X11 windows can still be found.
        return X11Windows.Snapshot();
    }
    const QJsonArray Listed = QJsonDocument::fromJson(Answer->toUtf8()).array();
    std::vector<TNativeWindow> Natives;
    TWindowSnapshot Result;
    std::optional<TWindowSnapshot> X11;
    for (const QJsonValue& Entry : Listed) {
        const QJsonObject Window = Entry.toObject();
        TWindowInfo Info{.Handle = X11Window(Window.value("x11")),
                         .Title = CutTitle(Window.value("caption").toString().toStdString(), MaxTitleBytes),
                         .Instance = Window.value("name").toString().toStdString(),
                         .Class = Window.value("app").toString().toStdString()};
        if (Info.Handle == 0) {
            const QString Id = Window.value("id").toString();
            Info.Handle = NativeHandle(Id);
            Natives.push_back({Info.Handle, Id, Info.Title});
        } else {
            // WM_CLASS as the program wrote it: KWin's copy is in lower case.
            if (!X11) {
                X11 = X11Windows.Snapshot();
            }
            const auto Known = std::ranges::find(X11->Windows, Info.Handle, &TWindowInfo::Handle);
            Info = Known != X11->Windows.end() ? *Known : Info;
        }
        Result.Active = Window.value("active").toBool() ? Info.Handle : Result.Active;
        Result.Windows.push_back(std::move(Info));
    }
    Native = std::move(Natives);
    qCDebug(PlatformLog) << "KWin lists" << Result.Windows.size() << "windows," << Native.size() << "native";
    return Result;
}

void TKWinDesktopWindows::SearchDone(const std::string& Text, const TWindowInfo* Chosen) {
    X11Windows.SearchDone(Text, Chosen);
}

std::string TKWinDesktopWindows::WindowTitle(TWindowHandle Window) {
    if ((Window & NativeBit) == 0) {
        return X11Windows.WindowTitle(Window);
    }
    const TNativeWindow* Found = FindNative(Window);
    return Found != nullptr ? Found->Title : std::string();
}

void TKWinDesktopWindows::RestoreAndActivate(TWindowHandle Window) {
    if ((Window & NativeBit) == 0) {
        X11Windows.RestoreAndActivate(Window);
        return;
    }
    const TNativeWindow* Found = FindNative(Window);
    if (Found == nullptr) {
        return;
    }
    QString Program = ActivateProgram;
    Program.replace(QStringLiteral("WINDOW_ID"), '"' + Found->Id + '"');
    const auto Answer = Script->Run(Program);
    qCDebug(PlatformLog) << "KWin activated" << Found->Id << ":" << Answer.value_or("no answer");
}

// The handle that KWin's window Id had in the last listing, or a new one: a window keeps its handle
// from listing to listing, so that a window cycle can follow it.
TWindowHandle TKWinDesktopWindows::NativeHandle(const QString& Id) {
    const auto Known = std::ranges::find(Native, Id, &TNativeWindow::Id);
    return Known != Native.end() ? Known->Handle : NativeBit | NextNative++;
}

const TKWinDesktopWindows::TNativeWindow* TKWinDesktopWindows::FindNative(TWindowHandle Window) const {
    const auto Found = std::ranges::find(Native, Window, &TNativeWindow::Handle);
    return Found != Native.end() ? &*Found : nullptr;
}

}  // namespace tulma
