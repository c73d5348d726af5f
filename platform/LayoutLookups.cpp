#include "LayoutLookups.h"

#include <QKeyEvent>

#include <utility>

namespace tulma {

KeyNameLookup LayoutKeyNames(LayoutSource Current) {
    return [Current = std::move(Current)](std::uint8_t VirtualKey) -> std::string {
        const std::optional<TKeyboardLayout> Layout = Current();
        return Layout ? Layout->KeyName(VirtualKey) : std::string();
    };
}

KeyEventLookup LayoutKeyCodes(LayoutSource Current) {
    return [Current = std::move(Current)](const QKeyEvent& Event) -> std::uint8_t {
        if (Event.nativeScanCode() == 0 || Event.nativeScanCode() > 0xFF) {
            return 0;
        }
        const std::optional<TKeyboardLayout> Layout = Current();
        return Layout ? Layout->VirtualKeyOf(static_cast<TKeyboardLayout::Keycode>(Event.nativeScanCode()),
                                             static_cast<Keysym>(Event.nativeVirtualKey()))
                      : 0;
    };
}

}  // namespace tulma
