#include <gtest/gtest.h>

#include "HotKeyRegistry.h"
#include "ShortcutTrigger.h"

namespace tulma {
namespace {

TEST(ShortcutTrigger, CombinationsInTheShortcutSyntax) {
    struct Case {
        unsigned Modifiers;
        std::uint8_t VirtualKey;
        const char* Trigger;
    };
    for (const Case& C :
         {Case{MOD_CONTROL | MOD_ALT, 'K', "CTRL+ALT+K"},
          Case{MOD_SHIFT | MOD_ALT | MOD_CONTROL, '7', "CTRL+ALT+SHIFT+7"}, Case{0, 0x70, "F1"},
          Case{MOD_SHIFT, 0x0D, "SHIFT+Return"}, Case{MOD_ALT, 0x22, "ALT+Next"},
          Case{MOD_CONTROL, 0xBC, "CTRL+comma"}, Case{MOD_CONTROL, 0x61, "CTRL+KP_1"},
          Case{MOD_CONTROL, 0xFF, ""}, Case{MOD_CONTROL, 0x00, ""}}) {
        EXPECT_EQ(ShortcutTrigger(C.Modifiers, C.VirtualKey), C.Trigger) << C.Trigger;
    }
}

TEST(ShortcutTrigger, DesktopDescriptionsCompareByTheirCombination) {
    struct Case {
        const char* Described;
        const char* Trigger;
        bool Same;
    };
    for (const Case& C : {Case{"Ctrl+Alt+K", "CTRL+ALT+K", true}, Case{"Alt+Ctrl+K", "CTRL+ALT+K", true},
                          Case{"Meta+Shift+Page Down", "LOGO+SHIFT+Next", true},
                          Case{"Ctrl+Esc", "CTRL+Escape", true}, Case{"Ctrl++", "CTRL+plus", true},
                          Case{"Ctrl+Alt+J", "CTRL+ALT+K", false}, Case{"Ctrl+K", "CTRL+ALT+K", false},
                          Case{"Ctrl+Alt+Shift+K", "CTRL+ALT+K", false}, Case{"", "CTRL+ALT+K", false}}) {
        EXPECT_EQ(SameTrigger(C.Described, C.Trigger), C.Same) << C.Described << " / " << C.Trigger;
    }
}

}  // namespace
}  // namespace tulma
