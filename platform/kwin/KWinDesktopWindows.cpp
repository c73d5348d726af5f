#include "KWinDesktopWindows.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "KWinScript.h"
#include "PlatformLog.h"

namespace tulma {
namespace {

constexpr WindowHandle NativeBit = WindowHandle{1} << 63;

// Managed windows that a user would switch to, topmost first. KWin 5 calls a window a client and
// has no stacking list, only each window's place in it.
const QString ListProgram = QStringLiteral(R"(
(function () {
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
            found.push({caption: String(w.caption), id: String(w.internalId), x11: w.windowId ? w.windowId : 0});
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
    const auto Answer = Script->Run(ListProgram);
    if (!Answer) {
        // KWin did not answer: the X11 windows can still be found.
        return X11Windows.TopLevelWindows();
    }
    Native.clear();
    std::vector<WindowHandle> Windows;
    for (const QJsonValue& Entry : QJsonDocument::fromJson(Answer->toUtf8()).array()) {
        const QJsonObject Window = Entry.toObject();
        if (const auto X11Id = static_cast<WindowHandle>(Window.value("x11").toDouble()); X11Id != 0) {
            Windows.push_back(X11Id);
        } else {
            Windows.push_back(NativeBit | Native.size());
            Native.push_back({Window.value("id").toString(), CutTitle(Window.value("caption").toString())});
        }
    }
    qCDebug(PlatformLog) << "KWin lists" << Windows.size() << "windows," << Native.size() << "native";
    return Windows;
}

std::string TKWinDesktopWindows::WindowTitle(WindowHandle Window) {
    if ((Window & NativeBit) == 0) {
        return X11Windows.WindowTitle(Window);
    }
    const WindowHandle Index = Window & ~NativeBit;
    return Index < Native.size() ? Native[Index].Title : std::string();
}

void TKWinDesktopWindows::RestoreAndActivate(WindowHandle Window) {
    if ((Window & NativeBit) == 0) {
        X11Windows.RestoreAndActivate(Window);
        return;
    }
    const WindowHandle Index = Window & ~NativeBit;
    if (Index >= Native.size()) {
        return;
    }
    QString Program = ActivateProgram;
    Program.replace(QStringLiteral("WINDOW_ID"), '"' + Native[Index].Id + '"');
    const auto Answer = Script->Run(Program);
    qCDebug(PlatformLog) << "KWin activated" << Native[Index].Id << ":" << Answer.value_or("no answer");
}

}  // namespace tulma
