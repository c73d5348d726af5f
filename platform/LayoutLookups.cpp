#include "LayoutLookups.h"

#include <QKeyEvent>

#include <utility>

namespace tulma {

TKeyNameLookup LayoutKeyNames(TLayoutSource Current) {
    return [Current = std::move(Current)](std::uint8_t VirtualKey) -> std::string {
        const std::optional<TKeyboardLayout> Layout = Current();
        return Layout ? Layout->KeyName(VirtualKey) : std::string();
    };
}

TKeyEventLookup LayoutKeyCodes(TLayoutSource Current) {
    return [Current = std::move(Current)](const QKeyEvent& Event) -> std::uint8_t {
        if (Event.nativeScanCode() == 0 || Event.nativeScanCode() > 0xFF) {
            return 0;
        }
        const std::optional<TKeyboardLayout> Layout = Current();
        return Layout ? Layout->VirtualKeyOf(static_cast<TKeyboardLayout::TKeycode>(Event.nativeScanCode()),
                                             static_cast<TKeysym>(Event.nativeVirtualKey()))
                      : 0;
    };
}

}  // namespace tulma
