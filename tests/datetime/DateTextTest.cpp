#include <gtest/gtest.h>

#include <random>
#include <string>

#include "DateErrors.h"
#include "DateFormat.h"
#include "DateTestSupport.h"
#include "IntegerText.h"

namespace tulma {
namespace {

TEST(DatumText, NamesOfExistingDatesOnly) {
    EXPECT_EQ(TDatum(6, 4, 1998).GetWeekdayName(), "Montag");
    EXPECT_EQ(TDatum(12, 4, 1998).GetWeekdayName(), "Sonntag");
    EXPECT_EQ(TDatum(1, 1, 2001).GetMonthName(), "Jänner");
    EXPECT_EQ(TDatum(1, 3, 2001).GetMonthName(), "März");
    EXPECT_EQ(TDatum(1, 12, 2001).GetMonthName(), "Dezember");
    EXPECT_EQ(TDatum(29, 2, 1900).GetWeekdayName(), "");
    EXPECT_EQ(TDatum(29, 2, 1900).GetMonthName(), "");
    EXPECT_EQ(TDatum().GetMonthName(), "");
}

TEST(DatumText, NumericTexts) {
    EXPECT_EQ(TDatum(6, 4, 1998).Date2Text(), "06.04.1998");
    EXPECT_EQ(TDatum(24, 12, 2000).Date2Text(), "24.12.2000");
    EXPECT_EQ(TDatum(6, 4, 5).Date2Text(), "06.04.5");
    EXPECT_EQ(TDatum().Date2Text(), "");
    EXPECT_EQ(TDatum(6, 4, 1998).GetPANFormat(), "06041998");
    EXPECT_EQ(TDatum(31, 2, 1998).GetPANFormat(), "");
    EXPECT_EQ(TDatum().GetPANFormat(), "");
    EXPECT_EQ(TDatum(6, 4, 1998).GetLongText(), "Montag 6.April 1998");
}

TEST(DatumText, DateInWords) {
    EXPECT_EQ(TDatum(6, 4, 1998).ConvertToText(), "sechsten April eintausendneunhundertachtundneunzig");
    EXPECT_EQ(TDatum(1, 1, 2001).ConvertToText(), "ersten Jänner zweitausendeins");
    EXPECT_EQ(TDatum(3, 5, 2000).ConvertToText(), "dritten Mai zweitausend");
    EXPECT_EQ(TDatum(8, 5, 2000).ConvertToText(), "achten Mai zweitausend");
    EXPECT_EQ(TDatum(2, 5, 2000).ConvertToText(), "zweiten Mai zweitausend");
    EXPECT_EQ(TDatum(11, 5, 2000).ConvertToText(), "elften Mai zweitausend");
    EXPECT_EQ(TDatum(19, 5, 2000).ConvertToText(), "neunzehnten Mai zweitausend");
    EXPECT_EQ(TDatum(20, 5, 2000).ConvertToText(), "zwanzigsten Mai zweitausend");
    EXPECT_EQ(TDatum(31, 5, 2000).ConvertToText(), "einunddreißigsten Mai zweitausend");
}

TEST(DatumText, SortKeys) {
    EXPECT_EQ(TDatum(6, 4, 1998).MakeForSort(true), "19980406");
    EXPECT_EQ(TDatum(6, 4, 1998).MakeForSort(false), "10020926");
    EXPECT_EQ(TDatum(30, 11, 2005).MakeForSort(false), "9950202");
    EXPECT_LT(TDatum(6, 4, 1998).MakeForSort(true), TDatum(7, 4, 1998).MakeForSort(true));
    EXPECT_GT(TDatum(6, 4, 1998).MakeForSort(false), TDatum(7, 4, 1998).MakeForSort(false));
}

class DatumReading : public FixedTodayTest {
  protected:
    static std::string Read(std::string_view Text) {
        TDatum Date(9, 9, 1999);
        Date.Text2Date(Text);
        return Fields(Date);
    }
};

TEST_F(DatumReading, SeparatorsAndYears) {
    EXPECT_EQ(Read("6.4.1998"), "6.4.1998");
    EXPECT_EQ(Read("1-2-98"), "1.2.1998");
    EXPECT_EQ(Read("1/2/98"), "1.2.1998");
    EXPECT_EQ(Read("1,2,98"), "1.2.1998");
    EXPECT_EQ(Read("1.2."), "1.2.2024");
    EXPECT_EQ(Read("1.2.0"), "1.2.2024");
    EXPECT_EQ(Read("5.6.5"), "5.6.5");
    EXPECT_EQ(Read("5.6.30"), "5.6.30");
    EXPECT_EQ(Read("5.6.31"), "5.6.1931");
    EXPECT_EQ(Read("5.6.99"), "5.6.1999");
    // Only two-digit years are taken as years of the 1900s; four digits stand as written.
    EXPECT_EQ(Read("5.6.1850"), "5.6.1850");
    EXPECT_EQ(Read("5.6.150"), "5.6.150");
    EXPECT_EQ(Read("31.2.1998"), "31.2.1998");
}

TEST_F(DatumReading, MalformedTextGivesTheZeroDate) {
    for (const char* Text :
         {"x.2.98", "1.x.98", "1.2.x", "", "1998", ".1.2.98", "1..98", "1.2", "-1.2.98", "1.2.98 ", "1.2.98.",
          "300.1.1998", "1.1.99999", "99999999999.1.1998", "1.2.3.4", "\xff\xfe.\x01.\x80"}) {
        EXPECT_EQ(Read(Text), "0.0.0") << Text;
    }
}

TEST(DatumSearch, PatternsOfNumbersRangesAndStars) {
    EXPECT_TRUE(TDatum(15, 4, 1998).DatumsSuche("*.4.98"));
    EXPECT_TRUE(TDatum(1, 4, 1998).DatumsSuche("*.4.98"));
    EXPECT_FALSE(TDatum(15, 5, 1998).DatumsSuche("*.4.98"));
    EXPECT_FALSE(TDatum(15, 4, 1997).DatumsSuche("*.4.98"));

    EXPECT_TRUE(TDatum(1, 1, 1990).DatumsSuche("1-15.*.1990-1999"));
    EXPECT_TRUE(TDatum(15, 12, 1999).DatumsSuche("1-15.*.1990-1999"));
    EXPECT_FALSE(TDatum(16, 6, 1995).DatumsSuche("1-15.*.1990-1999"));
    EXPECT_FALSE(TDatum(1, 1, 2000).DatumsSuche("1-15.*.1990-1999"));

    EXPECT_TRUE(TDatum(10, 6, 1995).DatumsSuche("15-1.6.90-99"));
    EXPECT_TRUE(TDatum(6, 4, 1998).DatumsSuche("6.4.1998"));
    EXPECT_TRUE(TDatum(6, 4, 1850).DatumsSuche("6.4.1850"));
    EXPECT_TRUE(TDatum(6, 4, 5).DatumsSuche("6.4.5"));
}

TEST(DatumSearch, PatternsWithoutMonthOrWithoutParts) {
    // No full stop after the first position: everything matches.
    EXPECT_TRUE(TDatum(6, 4, 1998).DatumsSuche(""));
    EXPECT_TRUE(TDatum(6, 4, 1998).DatumsSuche("15"));
    EXPECT_TRUE(TDatum(6, 4, 1998).DatumsSuche(".4.98"));
    // Without a second full stop the rest is the year and the month is not tested.
    EXPECT_TRUE(TDatum(6, 7, 1998).DatumsSuche("6.98"));
    EXPECT_FALSE(TDatum(6, 7, 1997).DatumsSuche("6.98"));
}

TEST(DatumSearch, NonNumericPartRaisesTheConversionError) {
    try {
        TDatum(6, 4, 1998).DatumsSuche("x.4.98");
        FAIL() << "no error";
    } catch (const EConvertError& Error) {
        EXPECT_STREQ(Error.what(), "'x' ist kein gültiger Integerwert");
    }
    EXPECT_THROW(TDatum(6, 4, 1998).DatumsSuche("6.4."), EInvalidInteger);
    EXPECT_THROW(TDatum(6, 4, 1998).DatumsSuche("6.4-x.98"), EInvalidInteger);
    EXPECT_THROW(TDatum(6, 4, 1998).DatumsSuche("6.4.1-2-3"), EInvalidInteger);
    EXPECT_THROW(TDatum(6, 4, 1998).DatumsSuche("6.4.99999999999"), EInvalidInteger);
    // Parts after the first mismatch are not read.
    EXPECT_FALSE(TDatum(6, 4, 1998).DatumsSuche("7.x.y"));
}

// Texts made of the characters that the readers look at, and a few they do not.
TEST_F(DatumReading, ArbitraryTextsNeitherCrashNorHang) {
    static constexpr char Alphabet[] = "0123456789.,-/:* x+\xff";
    std::mt19937 Random(4711);
    std::uniform_int_distribution<size_t> Length(0, 14);
    std::uniform_int_distribution<size_t> Letter(0, sizeof(Alphabet) - 2);
    TDatum Date(6, 4, 1998);
    TZeit Time;
    for (int32_t Round = 0; Round < 5000; ++Round) {
        std::string Text(Length(Random), ' ');
        for (char& C : Text) {
            C = Alphabet[Letter(Random)];
        }
        Read(Text);
        try {
            Date.DatumsSuche(Text);
        } catch (const EConvertError&) {
        }
        try {
            if (Time.Text2Time(Text)) {
                ASSERT_TRUE(Time.TimeExists()) << Text;
            }
        } catch (const EConvertError&) {
        }
    }
}

TEST(IntegerText, WholeNumbersOnly) {
    EXPECT_EQ(TryTextToInteger("12"), 12);
    EXPECT_EQ(TryTextToInteger("  12"), 12);
    EXPECT_EQ(TryTextToInteger("+5"), 5);
    EXPECT_EQ(TryTextToInteger("-5"), -5);
    EXPECT_EQ(TryTextToInteger("2147483647"), 2147483647);
    for (const char* Text : {"", " ", "12 ", "1a", "+-1", "+", "-", "2147483648", "1.5", "0x10"}) {
        EXPECT_FALSE(TryTextToInteger(Text).has_value()) << Text;
    }
    EXPECT_THROW(TextToInteger("abc"), EInvalidInteger);
}

TEST(DateFormatText, FormatsOfTheRuntime) {
    const TDateTimeFields Moment{1998, 4, 6, 14, 5, 9};
    EXPECT_EQ(ShortDateFormat(), "dd.MM.yyyy");
    EXPECT_EQ(FormatDateTime(ShortDateFormat(), Moment), "06.04.1998");
    EXPECT_EQ(FormatDateTime(LongTimeFormat(), Moment), "14:05:09");
    EXPECT_EQ(FormatDateTime("d.m.yy", Moment), "6.4.98");
    EXPECT_EQ(FormatDateTime("hh:mm", Moment), "14:05");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd 'um' h \"Uhr\"", Moment), "1998-04-06 um 14 Uhr");
    EXPECT_EQ(FormatDateTime("yyyy", TDateTimeFields{5, 1, 1, 0, 0, 0}), "0005");
    EXPECT_EQ(FormatDateTime("'open", Moment), "open");
}

}  // namespace
}  // namespace tulma
