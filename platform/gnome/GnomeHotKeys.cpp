#include "GnomeHotKeys.h"

#include <glib.h>

#include <algorithm>
#include <set>

#include "PlatformLog.h"

namespace tulma {
namespace {

const std::string OwnPrefix = std::string(TGnomeKeybindings::CustomFolder) + "tulma-";

bool IsOwn(const std::string& Path) {
    return Path.starts_with(OwnPrefix);
}

std::vector<std::string> OwnEntries(const TGnomeKeybindings& Settings) {
    std::vector<std::string> Own = Settings.CustomPaths();
    std::erase_if(Own, [](const std::string& Path) { return !IsOwn(Path); });
    return Own;
}

// A path element of dconf takes letters, digits and "-" only.
std::string PathElement(const std::string& Key) {
    std::string Element;
    for (const char C : Key.starts_with("hotkey-") ? Key.substr(7) : Key) {
        Element += g_ascii_isalnum(C) || C == '-' ? C : '-';
    }
    return Element;
}

}  // namespace

TGnomeHotKeys::TGnomeHotKeys(TCommandOf CommandOf) : CommandOf(std::move(CommandOf)) {
    const std::vector<std::string> Leftovers = OwnEntries(Settings);
    if (!Leftovers.empty()) {
        qCDebug(PlatformLog) << "removing" << Leftovers.size() << "GNOME keybindings left behind";
        Settings.Remove(Leftovers);
    }
}

TGnomeHotKeys::~TGnomeHotKeys() {
    try {
        Settings.Remove(OwnPaths());
    } catch (const EGnomeSettings& Error) {
        qCWarning(PlatformLog) << "GNOME keybindings left behind:" << Error.what();
    }
}

std::size_t TGnomeHotKeys::ForgetAll() {
    TGnomeKeybindings Settings;
    const std::vector<std::string> Own = OwnEntries(Settings);
    Settings.Remove(Own);
    return Own.size();
}

std::string TGnomeHotKeys::QuotedCommand(const std::vector<std::string>& Arguments) {
    std::string Line;
    for (const std::string& Argument : Arguments) {
        gchar* Quoted = g_shell_quote(Argument.c_str());
        Line += (Line.empty() ? "" : " ") + std::string(Quoted);
        g_free(Quoted);
    }
    return Line;
}

std::string TGnomeHotKeys::PathOf(std::uint16_t Id) const {
    return OwnPrefix + PathElement(Names.at(Id).Key) + "/";
}

std::vector<std::string> TGnomeHotKeys::OwnPaths() const {
    std::vector<std::string> Paths;
    for (const auto& [Id, Held] : Written) {
        if (!Held.Path.empty()) {
            Paths.push_back(Held.Path);
        }
    }
    return Paths;
}

void TGnomeHotKeys::NameHotKey(std::uint16_t Id, const std::string& Key, const std::string& Description) {
    Names[Id] = {Key, Description};
}

bool TGnomeHotKeys::RegisterHotKey(std::uint16_t Id, unsigned Modifiers, std::uint8_t VirtualKey) {
    const THotKeyRegistration Registration{Id, Modifiers, VirtualKey};
    return RegisterHotKeys({&Registration, 1}).front();
}

std::vector<bool> TGnomeHotKeys::RegisterHotKeys(std::span<const THotKeyRegistration> Registrations) {
    std::vector<bool> Registered(Registrations.size(), false);
    const std::vector<TGnomeHeldAccelerator> Held = Settings.HeldAccelerators(OwnPaths());
    std::set<TGnomeAccelerator> Taken;
    for (const auto& [Id, Own] : Written) {
        Taken.insert(Own.Accelerator);
    }
    for (std::size_t I = 0; I < Registrations.size(); ++I) {
        const THotKeyRegistration& Registration = Registrations[I];
        Refusals.erase(Registration.Id);
        const std::string Binding = GnomeAcceleratorText(Registration.Modifiers, Registration.VirtualKey);
        const auto Accelerator = ParseGnomeAccelerator(Binding);
        if (!Accelerator || Written.contains(Registration.Id) || Taken.contains(*Accelerator)) {
            continue;
        }
        const auto Holder = std::find_if(Held.begin(), Held.end(), [&](const TGnomeHeldAccelerator& One) {
            return One.Accelerator == *Accelerator;
        });
        if (Holder != Held.end()) {
            Refusals[Registration.Id] = "used by GNOME: " + Holder->Holder;
            continue;
        }
        // An unnamed registration (whether a combination is free, asked while one is captured) is checked,
        // not written: no press of it could name a hotkey.
        std::string Path;
        if (const auto Named = Names.find(Registration.Id); Named != Names.end()) {
            const TGnomeCustomEntry Entry{"Tulma: " + Named->second.Description,
                                          QuotedCommand(CommandOf(Named->second.Key)), Binding};
            // GSettings holds text only; a file path may be any bytes.
            if (!g_utf8_validate(Entry.Name.data(), std::ssize(Entry.Name), nullptr) ||
                !g_utf8_validate(Entry.Command.data(), std::ssize(Entry.Command), nullptr)) {
                Refusals[Registration.Id] =
                    "GNOME's settings hold only UTF-8 text, and its command or name is not";
                continue;
            }
            Path = PathOf(Registration.Id);
            Settings.Write(Path, Entry);
        }
        Written[Registration.Id] = {Path, *Accelerator};
        Taken.insert(*Accelerator);
        Registered[I] = true;
    }
    return Registered;
}

void TGnomeHotKeys::UnregisterHotKey(std::uint16_t Id) {
    UnregisterHotKeys({&Id, 1});
}

void TGnomeHotKeys::UnregisterHotKeys(std::span<const std::uint16_t> Ids) {
    std::vector<std::string> Paths;
    for (const std::uint16_t Id : Ids) {
        Refusals.erase(Id);
        if (const auto Own = Written.find(Id); Own != Written.end()) {
            if (!Own->second.Path.empty()) {
                Paths.push_back(Own->second.Path);
            }
            Written.erase(Own);
        }
    }
    Settings.Remove(Paths);
}

std::string TGnomeHotKeys::RefusalReason(std::uint16_t Id) const {
    const auto Found = Refusals.find(Id);
    return Found != Refusals.end() ? Found->second : std::string();
}

}  // namespace tulma
