#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "DateErrors.h"
#include "DateTestSupport.h"
#include "DatumUndZeit.h"

namespace tulma {
namespace {

TEST(DateValue, DaysSinceTheThirtiethOfDecember1899) {
    EXPECT_DOUBLE_EQ(TDatum(30, 12, 1899).GetTDateTime(), 0);
    EXPECT_DOUBLE_EQ(TDatum(31, 12, 1899).GetTDateTime(), 1);
    EXPECT_DOUBLE_EQ(TDatum(1, 1, 1900).GetTDateTime(), 2);
    EXPECT_DOUBLE_EQ(TDatum(1, 3, 1900).GetTDateTime(), 61);
    EXPECT_DOUBLE_EQ(TDatum(6, 4, 1998).GetTDateTime(), 35891);
    EXPECT_DOUBLE_EQ(TDatum(1, 1, 2000).GetTDateTime(), 36526);
    EXPECT_DOUBLE_EQ(TDatum(1, 1, 1800).GetTDateTime(), -36522);
}

TEST(DateValue, DateThatDoesNotExistHasNoValue) {
    for (const auto& Date : {TDatum(29, 2, 1900), TDatum(), TDatum(1, 1, 2100)}) {
        try {
            Date.GetTDateTime();
            ADD_FAILURE() << Fields(Date);
        } catch (const EConvertError& Error) {
            EXPECT_STREQ(Error.what(), "Ungültiges Argument für Datumskodierung");
        }
    }
}

TEST(DateValue, DateFromValue) {
    const auto FromValue = [](double Value) {
        TDatum Date(9, 9, 1999);
        Date.SetTDateTime(Value);
        return Fields(Date);
    };
    EXPECT_EQ(FromValue(36526.75), "1.1.2000");
    EXPECT_EQ(FromValue(0.5), "30.12.1899");
    EXPECT_EQ(FromValue(-1.25), "29.12.1899");
    EXPECT_EQ(FromValue(-693593), "1.1.1");
    EXPECT_EQ(FromValue(2958465.5), "31.12.9999");
    // Before the year 1, after the year 9999 or not a number at all: no date.
    EXPECT_EQ(FromValue(-693594), "0.0.0");
    EXPECT_EQ(FromValue(2958466), "0.0.0");
    EXPECT_EQ(FromValue(1e300), "0.0.0");
    EXPECT_EQ(FromValue(std::numeric_limits<double>::quiet_NaN()), "0.0.0");
    EXPECT_EQ(FromValue(-std::numeric_limits<double>::infinity()), "0.0.0");
}

TEST(DateValue, EveryDayOfTheSupportedYearsRoundTrips) {
    TDatum Date(1, 1, 1800);
    TDatum Back;
    while (Date.DateExists()) {
        Back.SetTDateTime(Date.GetTDateTime());
        ASSERT_TRUE(Back.EqualTo(Date)) << Fields(Date);
        Date.NextDay();
    }
    EXPECT_EQ(Fields(Date), "1.1.2100");
}

TEST(DateTimeValue, DateAndTimeTogether) {
    TDatumUndZeit Moment;
    EXPECT_DOUBLE_EQ(Moment.GetTDateTime(), 0);
    Moment.Datum().SetDate(1, 1, 2000);
    Moment.Zeit().SetTime(18, 0, 0);
    EXPECT_DOUBLE_EQ(Moment.GetTDateTime(), 36526.75);
    // Before 30.12.1899 the time still counts forward from midnight.
    Moment.Datum().SetDate(29, 12, 1899);
    Moment.Zeit().SetTime(6, 0, 0);
    EXPECT_DOUBLE_EQ(Moment.GetTDateTime(), -1.25);

    Moment.Datum().SetToZeroDate();
    EXPECT_THROW(Moment.GetTDateTime(), EDateEncodingError);
    Moment.Datum().SetDate(1, 1, 2000);
    Moment.Zeit().SetTime(24, 0, 0);
    EXPECT_THROW(Moment.GetTDateTime(), ETimeEncodingError);
}

TEST(DateTimeValue, ValueIntoDateAndTime) {
    TDatumUndZeit Moment;
    Moment.SetTDateTime(-1.25);
    EXPECT_EQ(Moment.ConvertToText(), "29.12.1899 06:00:00");
    Moment.SetTDateTime(35891 + (14 * 3600 + 5 * 60 + 9) / 86400.0);
    EXPECT_EQ(Moment.ConvertToText(), "06.04.1998 14:05:09");
    // A fraction that rounds to a whole day belongs to the next day.
    Moment.SetTDateTime(36525.9999999999);
    EXPECT_EQ(Moment.ConvertToText(), "01.01.2000 00:00:00");
    Moment.SetTDateTime(std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(Moment.IsZeroValue());

    TDatumUndZeit Back;
    for (const double Value : {-36522.0 - 0.999988, -0.5, 0.25, 36526.75, 73050.5}) {
        Moment.SetTDateTime(Value);
        Back.SetTDateTime(Moment.GetTDateTime());
        EXPECT_EQ(Back.Compare(Moment), 0) << Value;
    }
}

}  // namespace
}  // namespace tulma
