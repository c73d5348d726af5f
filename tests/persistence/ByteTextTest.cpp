#include <gtest/gtest.h>

#include "ByteText.h"

using namespace tulma;

namespace {

TEST(ByteTextTest, OnlyWellFormedUtf8IsValid) {
    const struct {
        const char* Bytes;
        bool Valid;
    } Cases[] = {
        {"", true},
        {"plain", true},
        {"\xC3\xA4 \xE2\x82\xAC \xF0\x9F\x98\x80", true},  // ä € and an emoji
        {"\xE4", false},                                   // ä in Windows-1252
        {"\xC3", false},                                   // cut short
        {"\xC0\xAF", false},                               // an overlong '/'
        {"\xED\xA0\x80", false},                           // a UTF-16 surrogate
        {"\xF4\x90\x80\x80", false},                       // above U+10FFFF
    };
    for (const auto& Case : Cases) {
        EXPECT_EQ(IsValidUtf8(Case.Bytes), Case.Valid) << Case.Bytes;
    }
}

TEST(ByteTextTest, Windows1252KeepsItsUndefinedBytes) {
    EXPECT_EQ(FromWindows1252("\x80\x81\x9F\xA0\xE4z"), std::u16string(u"\u20AC\u0081\u0178\u00A0\u00E4z"));
}

}  // namespace
