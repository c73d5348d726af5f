#include "GnomeAccelerator.h"

#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <cctype>
#include <map>

#include "HotKeyRegistry.h"
#include "KeysymName.h"

namespace tulma {
namespace {

std::string Lower(std::string Text) {
    std::transform(Text.begin(), Text.end(), Text.begin(),
                   [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
    return Text;
}

// GTK's names of the modifiers, as GNOME's own settings spell them.
unsigned ModifierNamed(const std::string& Name) {
    static const std::map<std::string, unsigned> Names{
        {"control", TGnomeAccelerator::Control}, {"ctrl", TGnomeAccelerator::Control},
        {"ctl", TGnomeAccelerator::Control},     {"primary", TGnomeAccelerator::Control},
        {"alt", TGnomeAccelerator::Alt},         {"mod1", TGnomeAccelerator::Alt},
        {"shift", TGnomeAccelerator::Shift},     {"shft", TGnomeAccelerator::Shift},
        {"super", TGnomeAccelerator::Super},     {"mod4", TGnomeAccelerator::Super}};
    const auto Found = Names.find(Lower(Name));
    return Found != Names.end() ? Found->second : TGnomeAccelerator::Other;
}

}  // namespace

std::string GnomeAcceleratorText(unsigned Modifiers, std::uint8_t VirtualKey) {
    return BindingText(Modifiers, VirtualKey, {"<Control>", "<Alt>", "<Shift>"});
}

std::optional<TGnomeAccelerator> ParseGnomeAccelerator(const std::string& Text) {
    TGnomeAccelerator Parsed;
    std::size_t At = 0;
    while (At < Text.size() && Text[At] == '<') {
        const std::size_t End = Text.find('>', At);
        if (End == std::string::npos) {
            return std::nullopt;
        }
        Parsed.Modifiers |= ModifierNamed(Text.substr(At + 1, End - At - 1));
        At = End + 1;
    }
    const std::string Key = Text.substr(At);
    if (Key.empty() || Lower(Key) == "disabled") {
        return std::nullopt;
    }
    const xkb_keysym_t Sym = xkb_keysym_from_name(Key.c_str(), XKB_KEYSYM_CASE_INSENSITIVE);
    if (Sym == XKB_KEY_NoSymbol) {
        return std::nullopt;
    }
    Parsed.Key = xkb_keysym_to_lower(Sym);
    return Parsed;
}

}  // namespace tulma
