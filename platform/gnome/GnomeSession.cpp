#include "GnomeSession.h"

#include <QDBusConnection>
#include <QDBusVariant>

#include <charconv>
#include <cstdlib>
#include <string_view>

#include "BusCall.h"
#include "BusNames.h"
#include "GnomeKeybindings.h"

namespace tulma {
namespace {

constexpr int AskMs = 2000;
constexpr int FirstPortalVersion = 48;

}  // namespace

bool GnomeDesktop() {
    const char* Desktop = std::getenv("XDG_CURRENT_DESKTOP");
    std::string_view Rest = Desktop != nullptr ? Desktop : "";
    while (!Rest.empty()) {
        const std::size_t Colon = Rest.find(':');
        if (Rest.substr(0, Colon) == "GNOME") {
            return true;
        }
        Rest = Colon == std::string_view::npos ? std::string_view() : Rest.substr(Colon + 1);
    }
    return false;
}

std::optional<std::string> GnomeShellVersion() {
    const QDBusMessage Reply =
        CallBusMethod(QDBusConnection::sessionBus(),
                      {"org.gnome.Shell", "/org/gnome/Shell", "org.freedesktop.DBus.Properties", "Get"},
                      {QStringLiteral("org.gnome.Shell"), QStringLiteral("ShellVersion")}, AskMs);
    if (Reply.type() != QDBusMessage::ReplyMessage || Reply.arguments().isEmpty()) {
        return std::nullopt;
    }
    return Reply.arguments().front().value<QDBusVariant>().variant().toString().toStdString();
}

bool GnomeShellHasShortcutsPortal(const std::string& Version) {
    int Major = 0;
    const auto [End, Error] = std::from_chars(Version.data(), Version.data() + Version.size(), Major);
    return Error == std::errc() && Major >= FirstPortalVersion;
}

TBackendVerdict ProveGnomeKeybindings() {
    if (const std::string Missing = TGnomeKeybindings::Unavailable(); !Missing.empty()) {
        return {false, Missing};
    }
    if (!BusNameHasOwner(QDBusConnection::sessionBus(),
                         QStringLiteral("org.gnome.SettingsDaemon.MediaKeys"))) {
        return {false,
                "gnome-settings-daemon's media keys, which run GNOME's custom keybindings, are not on "
                "the session bus"};
    }
    const auto Version = GnomeShellVersion();
    return {true, "gnome-settings-daemon runs custom keybindings" +
                      (Version ? " under GNOME Shell " + *Version : std::string())};
}

}  // namespace tulma
