#include "LayoutLookups.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>

#include <memory>
#include <utility>

namespace tulma {

// Reading a layout costs round trips to the display: the names asked for in one pass of the event loop,
// a list of a thousand hotkeys among them, share one read. A switch of layout arrives as an event, so the
// next pass reads afresh; without an event loop every name reads it.
TKeyNameLookup LayoutKeyNames(TLayoutSource Current) {
    struct TRead {
        std::optional<TKeyboardLayout> Layout;
        bool Valid = false;
    };
    return [Current = std::move(Current), Read = std::make_shared<TRead>()](std::uint8_t VirtualKey) {
        if (!Read->Valid) {
            Read->Layout = Current();
            if (QCoreApplication::instance() != nullptr) {
                Read->Valid = true;
                QTimer::singleShot(0, QCoreApplication::instance(), [Read] { Read->Valid = false; });
            }
        }
        return Read->Layout ? Read->Layout->KeyName(VirtualKey) : std::string();
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
