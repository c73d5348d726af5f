#include "KWinDesktopWindows.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

#include "KWinScript.h"
#include "PlatformLog.h"

namespace tulma {
namespace {

constexpr WindowHandle NativeBit = WindowHandle{1} << 63;

// Managed windows that a user would switch to, topmost first, the active one marked. KWin 5 calls a
// window a client and has no stacking list, only each window's place in it.
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

// At most MaxTitleBytes of UTF-8, cut between characters.
std::string CutTitle(const QString& Title) {
    QString Text = Title;
    while (Text.toUtf8().size() > static_cast<qsizetype>(IDesktopWindows::MaxTitleBytes)) {
        Text.chop(Text.size() >= 2 && Text.at(Text.size() - 1).isLowSurrogate() ? 2 : 1);
    }
    return Text.toStdString();
}

}  // namespace

TKWinDesktopWindows::TKWinDesktopWindows(IDesktopWindows& X11Windows)
    : X11Windows(X11Windows), Script(std::make_unique<TKWinScript>()) {}

TKWinDesktopWindows::~TKWinDesktopWindows() = default;

std::vector<WindowHandle> TKWinDesktopWindows::TopLevelWindows() {
    ListedActive = 0;
    const auto Answer = Script->Run(ListProgram);
    if (!Answer) {
        // KWin did not answer: the X11 windows can still be found.
        return X11Windows.TopLevelWindows();
    }
    std::vector<NativeWindow> Listed;
    std::vector<WindowHandle> Windows;
    for (const QJsonValue& Entry : QJsonDocument::fromJson(Answer->toUtf8()).array()) {
        const QJsonObject Window = Entry.toObject();
        WindowHandle Handle = static_cast<WindowHandle>(Window.value("x11").toDouble());
        if (Handle == 0) {
            const QString Id = Window.value("id").toString();
            Handle = NativeHandle(Id);
            Listed.push_back({Handle, Id, CutTitle(Window.value("caption").toString())});
        }
        ListedActive = Window.value("active").toBool() ? Handle : ListedActive;
        Windows.push_back(Handle);
    }
    Native = std::move(Listed);
    qCDebug(PlatformLog) << "KWin lists" << Windows.size() << "windows," << Native.size() << "native";
    return Windows;
}

TWindowSnapshot TKWinDesktopWindows::Snapshot() {
    TWindowSnapshot Result = IDesktopWindows::Snapshot();
    Result.Active = ListedActive;
    return Result;
}

std::string TKWinDesktopWindows::WindowTitle(WindowHandle Window) {
    if ((Window & NativeBit) == 0) {
        return X11Windows.WindowTitle(Window);
    }
    const NativeWindow* Found = FindNative(Window);
    return Found != nullptr ? Found->Title : std::string();
}

void TKWinDesktopWindows::RestoreAndActivate(WindowHandle Window) {
    if ((Window & NativeBit) == 0) {
        X11Windows.RestoreAndActivate(Window);
        return;
    }
    const NativeWindow* Found = FindNative(Window);
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
WindowHandle TKWinDesktopWindows::NativeHandle(const QString& Id) {
    const auto Known = std::ranges::find(Native, Id, &NativeWindow::Id);
    return Known != Native.end() ? Known->Handle : NativeBit | NextNative++;
}

const TKWinDesktopWindows::NativeWindow* TKWinDesktopWindows::FindNative(WindowHandle Window) const {
    const auto Found = std::ranges::find(Native, Window, &NativeWindow::Handle);
    return Found != Native.end() ? &*Found : nullptr;
}

}  // namespace tulma
