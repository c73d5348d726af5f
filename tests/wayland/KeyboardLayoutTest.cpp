// A compositor's xkb keymap read as a layout table: keys keep the codes they have under X11 on the same
// layout, whichever group and level typed them.
#include <gtest/gtest.h>

#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon.h>

#include <memory>

#include "VirtualKeys.h"
#include "WaylandKeymap.h"

namespace tulma::test {
namespace {

// X keycodes (evdev + 8) of the keys used.
constexpr std::uint8_t Key1 = 10;
constexpr std::uint8_t KeyUsY = 29;
constexpr std::uint8_t KeyUsA = 38;
constexpr std::uint8_t KeyUsZ = 52;
constexpr std::uint8_t KeyKeypad1 = 87;

TKeyboardLayout LayoutOfNames(const char* Layouts) {
    const std::unique_ptr<xkb_context, void (*)(xkb_context*)> Context(xkb_context_new(XKB_CONTEXT_NO_FLAGS),
                                                                       xkb_context_unref);
    const xkb_rule_names Names{"evdev", "pc105", Layouts, "", ""};
    const std::unique_ptr<xkb_keymap, void (*)(xkb_keymap*)> Keymap(
        xkb_keymap_new_from_names(Context.get(), &Names, XKB_KEYMAP_COMPILE_NO_FLAGS), xkb_keymap_unref);
    EXPECT_NE(Keymap, nullptr) << Layouts;
    return Keymap ? KeyboardLayoutOf(Keymap.get()) : TKeyboardLayout();
}

TEST(KeyboardLayoutOf, PressedKeysAndNamesFollowTheLayoutAndItsSecondGroup) {
    const TKeyboardLayout German = LayoutOfNames("de,ru");
    struct Case {
        std::uint8_t Keycode;
        TKeysym Pressed;
        std::uint8_t Expected;
    };
    for (const Case& Each :
         {Case{KeyUsY, XKB_KEY_z, 'Z'}, Case{KeyUsZ, XKB_KEY_Y, 'Y'}, Case{Key1, XKB_KEY_exclam, '1'},
          Case{KeyUsA, XKB_KEY_Cyrillic_ef, 'A'}, Case{KeyKeypad1, XKB_KEY_KP_1, Vk::Numpad0 + 1}}) {
        EXPECT_EQ(German.VirtualKeyOf(Each.Keycode, Each.Pressed), Each.Expected) << int(Each.Keycode);
    }
    EXPECT_EQ(German.KeycodesForVirtualKey('Z'), std::vector<std::uint8_t>{KeyUsY});
    EXPECT_EQ(German.KeyName('Z'), "Z");
    // The Cyrillic letter is found in the second group.
    EXPECT_EQ(German.KeycodesFor(XKB_KEY_Cyrillic_ef), std::vector<std::uint8_t>{KeyUsA});
}

}  // namespace
}  // namespace tulma::test
