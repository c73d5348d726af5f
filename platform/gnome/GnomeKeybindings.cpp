#include "GnomeKeybindings.h"

#include "ProgramModule.h"

namespace tulma {
namespace {

const TProgramModule<TGnomeSettingsModule>& Module() {
    static const auto Once =
        LoadProgramModule<TGnomeSettingsModule>(GnomeSettingsModuleFile, GnomeSettingsModuleSymbol);
    return Once;
}

}  // namespace

std::string TGnomeKeybindings::Unavailable() {
    const auto& [Loaded, Error] = Module();
    return Loaded != nullptr ? Loaded->Unavailable() : "GNOME's settings cannot be read here: " + Error;
}

TGnomeKeybindings::TGnomeKeybindings() {
    if (const std::string Missing = Unavailable(); !Missing.empty()) {
        throw EGnomeSettings(Missing);
    }
    Store = Module().Table->Open();
}

TGnomeKeybindings::~TGnomeKeybindings() = default;

std::vector<std::string> TGnomeKeybindings::CustomPaths() const {
    return Store->CustomPaths();
}

TGnomeCustomEntry TGnomeKeybindings::Entry(const std::string& Path) const {
    return Store->Entry(Path);
}

void TGnomeKeybindings::Write(const std::string& Path, const TGnomeCustomEntry& Entry) {
    Store->Write(Path, Entry);
}

void TGnomeKeybindings::Remove(const std::vector<std::string>& Paths) {
    Store->Remove(Paths);
}

std::vector<TGnomeHeldAccelerator> TGnomeKeybindings::HeldAccelerators(
    const std::vector<std::string>& Skipped) const {
    std::vector<TGnomeHeldAccelerator> Held;
    for (const auto& [Text, Holder] : Store->HeldTexts(Skipped)) {
        if (const auto Parsed = ParseGnomeAccelerator(Text)) {
            Held.push_back({*Parsed, Holder});
        }
    }
    return Held;
}

}  // namespace tulma
