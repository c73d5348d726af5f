#include <gtest/gtest.h>

#include <xkbcommon/xkbcommon-keysyms.h>

#include "VirtualKeys.h"

namespace tulma {
namespace {

TEST(VirtualKeysTest, RangesMapBothWays) {
    for (std::uint8_t Code = 'A'; Code <= 'Z'; ++Code) {
        EXPECT_EQ(KeysymFromVirtualKey(Code), TKeysym(XKB_KEY_a + (Code - 'A')));
        EXPECT_EQ(VirtualKeyFromKeysym(KeysymFromVirtualKey(Code)), Code);
        EXPECT_EQ(VirtualKeyFromKeysym(XKB_KEY_A + (Code - 'A')), Code) << "upper case is the same key";
    }
    for (std::uint8_t Code = '0'; Code <= '9'; ++Code) {
        EXPECT_EQ(VirtualKeyFromKeysym(KeysymFromVirtualKey(Code)), Code);
    }
    EXPECT_EQ(KeysymFromVirtualKey(0x70), TKeysym(XKB_KEY_F1));
    EXPECT_EQ(KeysymFromVirtualKey(0x87), TKeysym(XKB_KEY_F24));
    EXPECT_EQ(VirtualKeyFromKeysym(XKB_KEY_F24), 0x87);
    EXPECT_EQ(KeysymFromVirtualKey(0x60), TKeysym(XKB_KEY_KP_0));
    EXPECT_EQ(VirtualKeyFromKeysym(XKB_KEY_KP_9), 0x69);
}

TEST(VirtualKeysTest, NamedKeysAndKeypadOperators) {
    const std::pair<std::uint8_t, TKeysym> Pairs[] = {
        {0x08, XKB_KEY_BackSpace},   {0x09, XKB_KEY_Tab},         {0x0D, XKB_KEY_Return},
        {0x13, XKB_KEY_Pause},       {0x1B, XKB_KEY_Escape},      {0x20, XKB_KEY_space},
        {0x21, XKB_KEY_Prior},       {0x22, XKB_KEY_Next},        {0x23, XKB_KEY_End},
        {0x24, XKB_KEY_Home},        {0x25, XKB_KEY_Left},        {0x26, XKB_KEY_Up},
        {0x27, XKB_KEY_Right},       {0x28, XKB_KEY_Down},        {0x2D, XKB_KEY_Insert},
        {0x2E, XKB_KEY_Delete},      {0x6A, XKB_KEY_KP_Multiply}, {0x6B, XKB_KEY_KP_Add},
        {0x6D, XKB_KEY_KP_Subtract}, {0x6E, XKB_KEY_KP_Decimal},  {0x6F, XKB_KEY_KP_Divide},
    };
    for (const auto& [Code, Sym] : Pairs) {
        EXPECT_EQ(KeysymFromVirtualKey(Code), Sym) << int(Code);
        EXPECT_EQ(VirtualKeyFromKeysym(Sym), Code) << int(Code);
    }
    EXPECT_EQ(VirtualKeyFromKeysym(XKB_KEY_KP_Enter), 0x0D);
    EXPECT_EQ(VirtualKeyFromKeysym(XKB_KEY_ISO_Left_Tab), 0x09) << "Shift+Tab is still the Tab key";
}

TEST(VirtualKeysTest, PunctuationKeysOfAUsLayout) {
    const std::tuple<std::uint8_t, TKeysym, TKeysym> Keys[] = {
        {0xBA, XKB_KEY_semicolon, XKB_KEY_colon},     {0xBB, XKB_KEY_equal, XKB_KEY_plus},
        {0xBC, XKB_KEY_comma, XKB_KEY_less},          {0xBD, XKB_KEY_minus, XKB_KEY_underscore},
        {0xBE, XKB_KEY_period, XKB_KEY_greater},      {0xBF, XKB_KEY_slash, XKB_KEY_question},
        {0xC0, XKB_KEY_grave, XKB_KEY_asciitilde},    {0xDB, XKB_KEY_bracketleft, XKB_KEY_braceleft},
        {0xDC, XKB_KEY_backslash, XKB_KEY_bar},       {0xDD, XKB_KEY_bracketright, XKB_KEY_braceright},
        {0xDE, XKB_KEY_apostrophe, XKB_KEY_quotedbl},
    };
    for (const auto& [Code, Plain, Shifted] : Keys) {
        EXPECT_EQ(KeysymFromVirtualKey(Code), Plain);
        EXPECT_EQ(VirtualKeyFromKeysym(Plain), Code);
        EXPECT_EQ(VirtualKeyFromKeysym(Shifted), Code);
        EXPECT_TRUE(IsOemVirtualKey(Code));
        EXPECT_EQ(VirtualKeyFromUsPosition(UsPositionKeycode(Code)), Code);
    }
    EXPECT_FALSE(IsOemVirtualKey('A'));
    EXPECT_EQ(UsPositionKeycode(0xBA), 47) << "the key right of L";
}

TEST(VirtualKeysTest, UnknownCodesAndKeysymsGiveNothing) {
    EXPECT_EQ(KeysymFromVirtualKey(0), 0u);
    EXPECT_EQ(KeysymFromVirtualKey(0xFF), 0u);
    EXPECT_EQ(KeysymFromVirtualKey(0x3A), 0u);
    EXPECT_EQ(VirtualKeyFromKeysym(0), 0);
    EXPECT_EQ(VirtualKeyFromKeysym(XKB_KEY_odiaeresis), 0);
    EXPECT_EQ(VirtualKeyFromKeysym(XKB_KEY_exclam), 0) << "shifted digits are found through the key";
}

}  // namespace
}  // namespace tulma
