#include "GnomeShellWindows.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

#include <algorithm>
#include <optional>

#include "BusCall.h"
#include "BusNames.h"
#include "PlatformLog.h"
#include "WindowTitle.h"

namespace tulma {
namespace {

constexpr TWindowHandle NativeBit = TWindowHandle{1} << 63;
// The shell answers from its main loop; a shell that is busy for longer is treated as gone for this search.
constexpr int AnswerWaitMs = 1000;

const QString Service = QStringLiteral(TULMA_GNOME_WINDOWS_SERVICE);
const QString ExtensionPath = QStringLiteral(TULMA_GNOME_WINDOWS_PATH);
const QString ShellService = QStringLiteral("org.gnome.Shell");

TBusMethod ExtensionMethod(const char* Name) {
    return {Service, ExtensionPath, Service, QString::fromLatin1(Name)};
}

// One window as the extension lists it.
struct TShellWindow {
    std::uint64_t Id = 0;
    QString Title;
    QString Class;
    QString Instance;
    std::uint32_t XWindow = 0;
    bool Focus = false;
};

// The extension's listing, topmost first; nothing when the reply is not one.
std::optional<std::vector<TShellWindow>> ReadListing(const QDBusMessage& Reply) {
    if (Reply.type() != QDBusMessage::ReplyMessage || Reply.arguments().size() != 1 ||
        !Reply.arguments().first().canConvert<QDBusArgument>()) {
        return std::nullopt;
    }
    const auto Argument = Reply.arguments().first().value<QDBusArgument>();
    if (Argument.currentSignature() != QLatin1String("a(tsssub)")) {
        return std::nullopt;
    }
    std::vector<TShellWindow> Windows;
    Argument.beginArray();
    while (!Argument.atEnd()) {
        TShellWindow Window;
        qulonglong Id = 0;
        uint XWindow = 0;
        Argument.beginStructure();
        Argument >> Id >> Window.Title >> Window.Class >> Window.Instance >> XWindow >> Window.Focus;
        Argument.endStructure();
        Window.Id = Id;
        Window.XWindow = XWindow;
        Windows.push_back(std::move(Window));
    }
    Argument.endArray();
    return Windows;
}

}  // namespace

TGnomeShellWindows::TGnomeShellWindows(IDesktopWindows& X11Windows, QObject* Parent)
    : QObject(Parent), X11Windows(X11Windows), Answers(ShellExtensionOnBus()) {}

TWindowSnapshot TGnomeShellWindows::Snapshot() {
    const auto Windows = ReadListing(
        CallBusMethod(QDBusConnection::sessionBus(), ExtensionMethod("ListWindows"), {}, AnswerWaitMs));
    SetAnswers(Windows.has_value());
    if (!Windows) {
        // Without the extension the XWayland windows can still be found.
        Listed.clear();
        return X11Windows.Snapshot();
    }
    TWindowSnapshot Result;
    std::vector<TListedWindow> Now;
    for (const TShellWindow& Window : *Windows) {
        TWindowInfo Info{.Handle = HandleOf(Window.Id, Window.XWindow),
                         .Title = CutTitle(Window.Title.toStdString(), MaxTitleBytes),
                         .Instance = Window.Instance.toStdString(),
                         .Class = Window.Class.toStdString()};
        Now.push_back({Info.Handle, Window.Id, Info.Title});
        Result.Active = Window.Focus ? Info.Handle : Result.Active;
        Result.Windows.push_back(std::move(Info));
    }
    Listed = std::move(Now);
    qCDebug(PlatformLog) << "GNOME Shell lists" << Result.Windows.size() << "windows";
    return Result;
}

std::vector<TWindowHandle> TGnomeShellWindows::TopLevelWindows() {
    return HandlesOf(Snapshot());
}

std::string TGnomeShellWindows::WindowTitle(TWindowHandle Window) {
    if (const TListedWindow* Found = Find(Window)) {
        return Found->Title;
    }
    return (Window & NativeBit) == 0 ? X11Windows.WindowTitle(Window) : std::string();
}

void TGnomeShellWindows::RestoreAndActivate(TWindowHandle Window) {
    const TListedWindow* Found = Find(Window);
    if (Found != nullptr) {
        const QDBusMessage Reply =
            CallBusMethod(QDBusConnection::sessionBus(), ExtensionMethod("Activate"),
                          {QVariant::fromValue(qulonglong{Found->ShellId})}, AnswerWaitMs);
        if (Reply.type() == QDBusMessage::ReplyMessage) {
            // A window that closed meanwhile is not found: nothing to do.
            return;
        }
        qCWarning(PlatformLog) << "GNOME Shell did not activate a window:" << Reply.errorMessage();
    }
    if ((Window & NativeBit) == 0) {
        X11Windows.RestoreAndActivate(Window);
    }
}

void TGnomeShellWindows::SearchDone(const std::string& Text, const TWindowInfo* Chosen) {
    X11Windows.SearchDone(Text, Chosen);
}

void TGnomeShellWindows::SetAnswers(bool Now) {
    if (Now != Answers) {
        Answers = Now;
        qCInfo(PlatformLog) << "Tulma's GNOME Shell extension" << (Now ? "answers" : "does not answer");
        emit ExtensionAnswersChanged();
    }
}

// An X11 window is named by its X window id, as the X11 search names it; a native one keeps the handle of
// the last listing, so that a window cycle can follow it.
TWindowHandle TGnomeShellWindows::HandleOf(std::uint64_t ShellId, std::uint32_t XWindow) {
    if (XWindow != 0) {
        return XWindow;
    }
    const auto Known = std::ranges::find(Listed, ShellId, &TListedWindow::ShellId);
    return Known != Listed.end() && (Known->Handle & NativeBit) != 0 ? Known->Handle
                                                                     : NativeBit | NextNative++;
}

const TGnomeShellWindows::TListedWindow* TGnomeShellWindows::Find(TWindowHandle Window) const {
    const auto Found = std::ranges::find(Listed, Window, &TListedWindow::Handle);
    return Found != Listed.end() ? &*Found : nullptr;
}

bool GnomeShellOnBus() {
    return BusNameHasOwner(QDBusConnection::sessionBus(), ShellService);
}

bool ShellExtensionOnBus() {
    return BusNameHasOwner(QDBusConnection::sessionBus(), Service);
}

QString ShellExtensionUuid() {
    const QDBusMessage Reply =
        CallBusMethod(QDBusConnection::sessionBus(),
                      {ShellService, QStringLiteral("/org/gnome/Shell"),
                       QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get")},
                      {ShellService, QStringLiteral("ShellVersion")}, AnswerWaitMs);
    const QString Version = Reply.arguments().value(0).value<QDBusVariant>().variant().toString();
    return Version.section('.', 0, 0).toInt() >= 45 ? QStringLiteral(TULMA_GNOME_EXTENSION_UUID_45)
                                                    : QStringLiteral(TULMA_GNOME_EXTENSION_UUID_43);
}

std::string EnableShellExtensionHint() {
    return QCoreApplication::translate(
               "TGnomeShellWindows",
               "Native Wayland-Fenster findet Tulma mit seiner Erweiterung für GNOME Shell: "
               "gnome-extensions enable %1 (eine neu installierte Erweiterung lädt GNOME "
               "erst bei der nächsten Anmeldung). Bis dahin findet es nur X11-Fenster.")
        .arg(ShellExtensionUuid())
        .toStdString();
}

}  // namespace tulma
