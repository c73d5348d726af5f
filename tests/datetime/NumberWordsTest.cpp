#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "NumberWords.h"

namespace tulma {
namespace {

struct TNumberWordsCase {
    int64_t Number;
    const char* Words;
};

// Units, teens and tens; hundreds and thousands joined without spaces; only the millions take spaces
// (and "eine Million" joins what follows without one); the sign is dropped.
constexpr TNumberWordsCase NumberWordsCases[] = {
    {0, "Null"},
    {1, "eins"},
    {7, "sieben"},
    {10, "zehn"},
    {11, "elf"},
    {12, "zwölf"},
    {13, "dreizehn"},
    {16, "sechzehn"},
    {17, "siebzehn"},
    {19, "neunzehn"},
    {20, "zwanzig"},
    {21, "einundzwanzig"},
    {30, "dreißig"},
    {56, "sechsundfünfzig"},
    {99, "neunundneunzig"},
    {100, "einhundert"},
    {101, "einhunderteins"},
    {111, "einhundertelf"},
    {121, "einhunderteinundzwanzig"},
    {1000, "eintausend"},
    {1001, "eintausendeins"},
    {1998, "eintausendneunhundertachtundneunzig"},
    {2001, "zweitausendeins"},
    {101000, "einhunderteintausend"},
    {999999, "neunhundertneunundneunzigtausendneunhundertneunundneunzig"},
    {1000000, "eine Million"},
    {1000001, "eine Millioneins"},
    {1250000, "eine Millionzweihundertfünfzigtausend"},
    {2500000, "zwei Millionen fünfhunderttausend"},
    {21000000, "einundzwanzig Millionen "},
    {-21, "einundzwanzig"},
    {-1, "eins"},
};

class NumberWordsTable : public testing::TestWithParam<TNumberWordsCase> {};

TEST_P(NumberWordsTable, SpellsTheNumberInGerman) {
    EXPECT_EQ(NumberWords(GetParam().Number), std::string(GetParam().Words));
}

INSTANTIATE_TEST_SUITE_P(NumberWords, NumberWordsTable, testing::ValuesIn(NumberWordsCases));

TEST(NumberWords, SmallestNumberHasWords) {
    EXPECT_FALSE(NumberWords(std::numeric_limits<int64_t>::min()).empty());
}

}  // namespace
}  // namespace tulma
