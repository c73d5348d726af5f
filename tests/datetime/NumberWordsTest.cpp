#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "NumberWords.h"

namespace tulma {
namespace {

TEST(NumberWords, NumbersBelowOneHundred) {
    EXPECT_EQ(NumberWords(0), "Null");
    EXPECT_EQ(NumberWords(1), "eins");
    EXPECT_EQ(NumberWords(7), "sieben");
    EXPECT_EQ(NumberWords(10), "zehn");
    EXPECT_EQ(NumberWords(11), "elf");
    EXPECT_EQ(NumberWords(12), "zwölf");
    EXPECT_EQ(NumberWords(13), "dreizehn");
    EXPECT_EQ(NumberWords(16), "sechzehn");
    EXPECT_EQ(NumberWords(17), "siebzehn");
    EXPECT_EQ(NumberWords(19), "neunzehn");
    EXPECT_EQ(NumberWords(20), "zwanzig");
    EXPECT_EQ(NumberWords(21), "einundzwanzig");
    EXPECT_EQ(NumberWords(30), "dreißig");
    EXPECT_EQ(NumberWords(56), "sechsundfünfzig");
    EXPECT_EQ(NumberWords(99), "neunundneunzig");
}

TEST(NumberWords, HundredsAndThousands) {
    EXPECT_EQ(NumberWords(100), "einhundert");
    EXPECT_EQ(NumberWords(101), "einhunderteins");
    EXPECT_EQ(NumberWords(111), "einhundertelf");
    EXPECT_EQ(NumberWords(121), "einhunderteinundzwanzig");
    EXPECT_EQ(NumberWords(1000), "eintausend");
    EXPECT_EQ(NumberWords(1001), "eintausendeins");
    EXPECT_EQ(NumberWords(1998), "eintausendneunhundertachtundneunzig");
    EXPECT_EQ(NumberWords(2001), "zweitausendeins");
    EXPECT_EQ(NumberWords(101000), "einhunderteintausend");
    EXPECT_EQ(NumberWords(999999), "neunhundertneunundneunzigtausendneunhundertneunundneunzig");
}

TEST(NumberWords, MillionsAreTheOnlyWordsWithSpaces) {
    EXPECT_EQ(NumberWords(1000000), "eine Million");
    EXPECT_EQ(NumberWords(1000001), "eine Millioneins");
    EXPECT_EQ(NumberWords(1250000), "eine Millionzweihundertfünfzigtausend");
    EXPECT_EQ(NumberWords(2500000), "zwei Millionen fünfhunderttausend");
    EXPECT_EQ(NumberWords(21000000), "einundzwanzig Millionen ");
}

TEST(NumberWords, SignIsDropped) {
    EXPECT_EQ(NumberWords(-21), "einundzwanzig");
    EXPECT_EQ(NumberWords(-1), "eins");
    EXPECT_FALSE(NumberWords(std::numeric_limits<int64_t>::min()).empty());
}

}  // namespace
}  // namespace tulma
