#include <gtest/gtest.h>

#include "DateErrors.h"
#include "DateTestSupport.h"

namespace tulma {
namespace {

TEST(ZeitBasics, ExistenceAndOrder) {
    EXPECT_TRUE(TZeit(0, 0, 0).TimeExists());
    EXPECT_TRUE(TZeit(23, 59, 59).TimeExists());
    EXPECT_FALSE(TZeit(24, 0, 0).TimeExists());
    EXPECT_FALSE(TZeit(0, 60, 0).TimeExists());
    EXPECT_FALSE(TZeit(0, 0, 60).TimeExists());
    EXPECT_FALSE(TZeit(-1, 0, 0).TimeExists());
    EXPECT_TRUE(TZeit().IsZeroTime());

    EXPECT_EQ(TZeit(14, 5, 9).Compare(TZeit(14, 5, 9)), 0);
    EXPECT_EQ(TZeit(13, 59, 59).Compare(TZeit(14, 0, 0)), -1);
    EXPECT_EQ(TZeit(14, 6, 0).Compare(TZeit(14, 5, 59)), 1);
    EXPECT_EQ(TZeit(14, 5, 8).Compare(TZeit(14, 5, 9)), -1);
}

TEST(ZeitBasics, SecondsAndDifferences) {
    const TZeit Later(14, 5, 9);
    const TZeit Earlier(12, 50, 30);
    EXPECT_EQ(Later.GetSeconds(), 14 * 3600 + 5 * 60 + 9);
    EXPECT_EQ(Later.Difference(Earlier, TZeit::HourUnit), 2);
    EXPECT_EQ(Later.Difference(Earlier, TZeit::MinuteUnit), 2 * 60 - 45);
    EXPECT_EQ(Later.Difference(Earlier, TZeit::SecondUnit), Later.GetSeconds() - Earlier.GetSeconds());
    EXPECT_EQ(Earlier.Difference(Later, TZeit::SecondUnit), Earlier.GetSeconds() - Later.GetSeconds());
    EXPECT_EQ(Later.Difference(Earlier, 3), 0);
}

TEST(ZeitText, PlainAndSpecialTexts) {
    EXPECT_EQ(TZeit(14, 5, 9).Time2Text(false), "14:05");
    EXPECT_EQ(TZeit(14, 5, 9).Time2Text(true), "14:05:09");
    EXPECT_EQ(TZeit(7, 0, 0).Time2Text(true), "07:00:00");

    const TZeit Time(1, 2, 3);
    EXPECT_EQ(Time.Time2TextSpecial(true, true, true), "01:02:03");
    EXPECT_EQ(Time.Time2TextSpecial(false, true, true), "62:03");
    EXPECT_EQ(Time.Time2TextSpecial(false, false, true), "3723");
    EXPECT_EQ(Time.Time2TextSpecial(true, true, false), "01:02");
    EXPECT_EQ(Time.Time2TextSpecial(false, true, false), "62");
    EXPECT_EQ(Time.Time2TextSpecial(true, false, true), "01:123");
    EXPECT_EQ(Time.Time2TextSpecial(false, false, false), "");
}

TEST(ZeitText, ReadingTimes) {
    TZeit Time(9, 9, 9);
    EXPECT_TRUE(Time.Text2Time("7"));
    EXPECT_EQ(Fields(Time), "7:0:0");
    EXPECT_TRUE(Time.Text2Time("14:05"));
    EXPECT_EQ(Fields(Time), "14:5:0");
    EXPECT_TRUE(Time.Text2Time("14:05:09"));
    EXPECT_EQ(Fields(Time), "14:5:9");
    EXPECT_TRUE(Time.Text2Time(" 8: 3"));
    EXPECT_EQ(Fields(Time), "8:3:0");
}

TEST(ZeitText, TimesThatDoNotExistBecomeMidnight) {
    TZeit Time(9, 9, 9);
    // 300 would be 44 if it were cut to eight bits first.
    for (const char* Text : {"25:00", "24", "-1", "23:60", "23:59:60", "300", "12:300", "0:0:-1"}) {
        Time.SetTime(9, 9, 9);
        EXPECT_FALSE(Time.Text2Time(Text)) << Text;
        EXPECT_TRUE(Time.IsZeroTime()) << Text;
    }
}

TEST(ZeitText, NonNumericPartRaisesTheConversionError) {
    TZeit Time;
    for (const char* Text : {"", "x", "x:00", "14:x", "14:", "14:05:", "1:2:3:4", ":30", "14:05:09 Uhr"}) {
        EXPECT_THROW(Time.Text2Time(Text), EInvalidInteger) << Text;
    }
    try {
        Time.Text2Time("14:x");
    } catch (const EConvertError& Error) {
        EXPECT_STREQ(Error.what(), "'x' ist kein gültiger Integerwert");
    }
}

TEST(ZeitArithmetic, CarriesIntoTheNextUnitAndWrapsAtMidnight) {
    const auto Shifted = [](TZeit Time, void (TZeit::*Add)(int8_t), int8_t N) {
        (Time.*Add)(N);
        return Fields(Time);
    };
    EXPECT_EQ(Shifted(TZeit(23, 59, 59), &TZeit::AddSecond, 1), "0:0:0");
    EXPECT_EQ(Shifted(TZeit(0, 0, 0), &TZeit::AddSecond, -1), "23:59:59");
    EXPECT_EQ(Shifted(TZeit(0, 0, 59), &TZeit::AddSecond, 127), "0:3:6");
    EXPECT_EQ(Shifted(TZeit(0, 0, 0), &TZeit::AddSecond, -128), "23:57:52");
    EXPECT_EQ(Shifted(TZeit(10, 30, 0), &TZeit::AddMinute, 90), "12:0:0");
    EXPECT_EQ(Shifted(TZeit(0, 10, 0), &TZeit::AddMinute, -11), "23:59:0");
    EXPECT_EQ(Shifted(TZeit(22, 0, 0), &TZeit::AddHour, 3), "1:0:0");
    EXPECT_EQ(Shifted(TZeit(1, 0, 0), &TZeit::AddHour, -25), "0:0:0");
    EXPECT_EQ(Shifted(TZeit(5, 0, 0), &TZeit::AddHour, 127), "12:0:0");
    // Fields out of their range from damaged data still end in range, without overflow.
    EXPECT_EQ(Shifted(TZeit(127, 127, 127), &TZeit::AddSecond, 127), "9:11:14");
    EXPECT_EQ(Shifted(TZeit(-128, -128, -128), &TZeit::AddSecond, -128), "13:47:44");
}

TEST(ZeitValue, FractionOfTheDay) {
    EXPECT_DOUBLE_EQ(TZeit(12, 0, 0).GetTDateTime(), 0.5);
    EXPECT_DOUBLE_EQ(TZeit(18, 0, 0).GetTDateTime(), 0.75);
    EXPECT_DOUBLE_EQ(TZeit(0, 0, 0).GetTDateTime(), 0.0);
    try {
        TZeit(25, 0, 0).GetTDateTime();
        FAIL() << "no error";
    } catch (const EConvertError& Error) {
        EXPECT_STREQ(Error.what(), "Ungültiges Argument für Zeitkodierung");
    }

    TZeit Time;
    Time.SetTDateTime(36526.75);
    EXPECT_EQ(Fields(Time), "18:0:0");
    Time.SetTDateTime(-1.25);
    EXPECT_EQ(Fields(Time), "6:0:0");
    Time.SetTDateTime(0.9999999999999);
    EXPECT_EQ(Fields(Time), "0:0:0");
    Time.SetTDateTime(14.0 / 24 + 5.0 / 1440 + 9.4 / 86400);
    EXPECT_EQ(Fields(Time), "14:5:9");
    for (int32_t Second = 0; Second < 86400; Second += 7) {
        const TZeit Source(static_cast<int8_t>(Second / 3600), static_cast<int8_t>(Second / 60 % 60),
                           static_cast<int8_t>(Second % 60));
        Time.SetTDateTime(Source.GetTDateTime());
        ASSERT_EQ(Time.Compare(Source), 0) << Fields(Source);
    }
}

TEST(ZeitValue, TimeForDatabasesAndClock) {
    EXPECT_EQ(TZeit(14, 5, 9).GetTimeForDB(), "14:05:09");
    TZeit Now;
    Now.GetCurrTime();
    EXPECT_TRUE(Now.TimeExists());
}

}  // namespace
}  // namespace tulma
