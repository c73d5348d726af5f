#include <QKeyEvent>

#include <xkbcommon/xkbcommon-keysyms.h>

#include "HotKeyRegistry.h"
#include "KeyboardMapping.h"
#include "QtKeys.h"
#include "QtX11.h"
#include "X11KeyboardMap.h"
#include "XDisplayTest.h"

namespace tulma::test {
namespace {

using X11KeyboardMapTest = XDisplayTest;

TEST_F(X11KeyboardMapTest, KeyNamesOfAUsLayout) {
    const TKeyNameLookup Name = X11KeyNames();
    EXPECT_EQ(Name('A'), "A");
    EXPECT_EQ(Name('7'), "7");
    EXPECT_EQ(Name(0xBA), ";");
    EXPECT_EQ(Name(0xDE), "'");
    EXPECT_EQ(Name(0xC0), "`");
    EXPECT_EQ(Name(0x6B), "+") << "keypad plus";
    EXPECT_EQ(Name(0x25), "") << "no character for an arrow key";
    EXPECT_EQ(Name(0x70), "") << "F1 types no character";
    EXPECT_EQ(Name(0xFF), "");
}

// Names share a reading of the layout within one pass of the event loop; a layout switched since is read
// in the next.
TEST_F(X11KeyboardMapTest, KeyNamesFollowALayoutSwitchedMeanwhile) {
    const TKeyNameLookup Name = X11KeyNames();
    ASSERT_EQ(Name(0xBA), ";");
    KeyboardMapping Mapping(X());
    Mapping.Set(FakeKeyboard(X()).Keycode(XKB_KEY_semicolon), {XKB_KEY_odiaeresis, XKB_KEY_Odiaeresis});
    Settle(100);
    EXPECT_EQ(Name(0xBA), "\xC3\x96");
}

TEST_F(X11KeyboardMapTest, PressedKeysGiveTheirCodes) {
    FakeKeyboard Keys(X());
    const TX11KeyboardMap Map(X());
    EXPECT_EQ(Map.VirtualKeyOf(Keys.Keycode(XKB_KEY_a), XKB_KEY_a), 'A');
    EXPECT_EQ(Map.VirtualKeyOf(Keys.Keycode(XKB_KEY_a), XKB_KEY_A), 'A');
    EXPECT_EQ(Map.VirtualKeyOf(Keys.Keycode(XKB_KEY_1), XKB_KEY_exclam), '1') << "Shift+1";
    EXPECT_EQ(Map.VirtualKeyOf(Keys.Keycode(XKB_KEY_semicolon), XKB_KEY_colon), 0xBA);
    EXPECT_EQ(Map.VirtualKeyOf(Keys.Keycode(XKB_KEY_KP_1), XKB_KEY_KP_1), 0x61) << "keypad with Num Lock";
    EXPECT_EQ(Map.VirtualKeyOf(Keys.Keycode(XKB_KEY_F5), XKB_KEY_F5), 0x74);
    EXPECT_NE(Map.NumLockMask(), 0);
}

TEST_F(X11KeyboardMapTest, OtherLayoutsNameAndCaptureTheirOwnKeys) {
    FakeKeyboard UsKeys(X());
    const xcb_keycode_t KeyA = UsKeys.Keycode(XKB_KEY_a);
    const xcb_keycode_t KeyQ = UsKeys.Keycode(XKB_KEY_q);
    const xcb_keycode_t RightOfL = UsKeys.Keycode(XKB_KEY_semicolon);
    KeyboardMapping Mapping(X());
    Mapping.Set(KeyQ, {XKB_KEY_a, XKB_KEY_A});
    Mapping.Set(KeyA, {XKB_KEY_q, XKB_KEY_Q});
    Mapping.Set(RightOfL, {XKB_KEY_odiaeresis, XKB_KEY_Odiaeresis});

    const TX11KeyboardMap Map(X());
    EXPECT_EQ(Map.VirtualKeyOf(KeyQ, XKB_KEY_a), 'A') << "the key that types a";
    EXPECT_EQ(Map.KeycodesForVirtualKey('A'), std::vector<xcb_keycode_t>{KeyQ});
    EXPECT_EQ(Map.VirtualKeyOf(RightOfL, XKB_KEY_odiaeresis), 0xBA) << "by its place on the keyboard";
    EXPECT_EQ(Map.KeyName(0xBA), "\xC3\x96") << "Ö";

    // A captured Qt key event goes the same way, also through the lookup that dialogs are given.
    const QKeyEvent Event(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, KeyQ, XKB_KEY_a, 0, "a");
    EXPECT_EQ(X11KeyCodes()(Event), 'A');
    SetKeyEventLookup(X11KeyCodes());
    EXPECT_EQ(VirtualKeyFromKeyEvent(Event), 'A');
    SetKeyEventLookup(nullptr);
}

TEST(QtKeysTest, QtKeysAndCodesMapBothWays) {
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_A, Qt::NoModifier), 'A');
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_5, Qt::NoModifier), '5');
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_5, Qt::KeypadModifier), 0x65);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Plus, Qt::KeypadModifier), 0x6B);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Plus, Qt::NoModifier), 0xBB);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_F24, Qt::NoModifier), 0x87);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Left, Qt::NoModifier), 0x25);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Escape, Qt::NoModifier), 0x1B);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Eacute, Qt::NoModifier), 0);
    for (int Code = 1; Code < 256; ++Code) {
        const int Key = QtKeyFromVirtualKey(static_cast<std::uint8_t>(Code));
        if (Key == Qt::Key_unknown) {
            continue;
        }
        const bool Keypad = Code >= 0x60 && Code <= 0x6F;
        EXPECT_EQ(VirtualKeyFromQtKey(Key, Keypad ? Qt::KeypadModifier : Qt::NoModifier), Code) << Code;
    }
}

// KDE's shortcuts hold a combination as one Qt key number; a keypad key carries the keypad flag.
TEST(QtKeysTest, CombinationsBecomeQtKeyNumbers) {
    EXPECT_EQ(QtKeyCombination(MOD_CONTROL | MOD_ALT, 'K'), (Qt::CTRL | Qt::ALT | Qt::Key_K).toCombined());
    EXPECT_EQ(QtKeyCombination(MOD_SHIFT, 0x65),
              QKeyCombination(Qt::ShiftModifier | Qt::KeypadModifier, Qt::Key_5).toCombined());
    EXPECT_EQ(QtKeyCombination(0, 0x70), Qt::Key_F1);
    EXPECT_EQ(QtKeyCombination(MOD_CONTROL, 0xFF), 0);
}

}  // namespace
}  // namespace tulma::test
