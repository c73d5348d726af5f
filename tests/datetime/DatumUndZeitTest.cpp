#include <gtest/gtest.h>

#include <memory>

#include "DateTestSupport.h"
#include "DatumUndZeit.h"
#include "Zeitraum.h"

namespace tulma {
namespace {

std::unique_ptr<TDatumUndZeit> Moment(int8_t Day, int8_t Month, int16_t Year, int8_t Hour, int8_t Minute,
                                      int8_t Second) {
    auto Value = std::make_unique<TDatumUndZeit>();
    Value->Datum().SetDate(Day, Month, Year);
    Value->Zeit().SetTime(Hour, Minute, Second);
    return Value;
}

TEST(DatumUndZeit, OrderedByDateThenTime) {
    EXPECT_EQ(Moment(6, 4, 1998, 14, 5, 9)->Compare(*Moment(6, 4, 1998, 14, 5, 9)), 0);
    EXPECT_EQ(Moment(6, 4, 1998, 23, 0, 0)->Compare(*Moment(7, 4, 1998, 1, 0, 0)), -1);
    EXPECT_EQ(Moment(6, 4, 1998, 14, 5, 10)->Compare(*Moment(6, 4, 1998, 14, 5, 9)), 1);
}

TEST(DatumUndZeit, Texts) {
    const auto Value = Moment(6, 4, 1998, 14, 5, 9);
    EXPECT_EQ(Value->ConvertToText(), "06.04.1998 14:05:09");
    EXPECT_EQ(Value->MakeReadable(), "06.04.1998 um 14:05 Uhr");
    EXPECT_EQ(Value->MakeForSort(true), "19980406140509");
    EXPECT_EQ(Value->MakeForSort(false), "10020926105551");
    EXPECT_EQ(TDatumUndZeit().ConvertToText(), "---");
    EXPECT_EQ(Moment(0, 0, 0, 7, 0, 0)->ConvertToText(), " 07:00:00");
}

TEST(DatumUndZeit, ZeroValueAndClock) {
    const auto Value = Moment(6, 4, 1998, 14, 5, 9);
    EXPECT_FALSE(Value->IsZeroValue());
    Value->SetToZeroValue();
    EXPECT_TRUE(Value->IsZeroValue());
    EXPECT_TRUE(Value->Datum().IsZeroDate());
    Value->GetCurrValues();
    EXPECT_TRUE(Value->Datum().DateExists());
    EXPECT_TRUE(Value->Zeit().TimeExists());
}

TEST(Zeitraum, DefaultsAndText) {
    TZeitraum Period;
    EXPECT_EQ(Period.MakeText(), "01.01.1900-31.12.2099");
    EXPECT_FALSE(Period.IsZeroValues());
    Period.SetToZeroValues();
    EXPECT_TRUE(Period.IsZeroValues());
    EXPECT_EQ(Period.MakeText(), "-");
}

TEST(Zeitraum, ContainsDatesBetweenBothEnds) {
    TZeitraum Period;
    Period.Von().SetDate(1, 4, 1998);
    Period.Bis().SetDate(30, 4, 1998);
    EXPECT_TRUE(Period.ContainsDate(TDatum(1, 4, 1998)));
    EXPECT_TRUE(Period.ContainsDate(TDatum(15, 4, 1998)));
    EXPECT_TRUE(Period.ContainsDate(TDatum(30, 4, 1998)));
    EXPECT_FALSE(Period.ContainsDate(TDatum(31, 3, 1998)));
    EXPECT_FALSE(Period.ContainsDate(TDatum(1, 5, 1998)));

    Period.Von().SetToZeroDate();
    EXPECT_TRUE(Period.ContainsDate(TDatum(1, 1, 1800)));
    EXPECT_FALSE(Period.ContainsDate(TDatum(1, 5, 1998)));
    Period.Von().SetDate(1, 4, 1998);
    Period.Bis().SetToZeroDate();
    EXPECT_TRUE(Period.ContainsDate(TDatum(31, 12, 2099)));
    EXPECT_FALSE(Period.ContainsDate(TDatum(31, 3, 1998)));
}

TEST(Zeitraum, OpenAtBothEndsContainsEveryDate) {
    TZeitraum Period;
    Period.SetToZeroValues();
    for (const auto& Date : {TDatum(1, 1, 1800), TDatum(31, 12, 2099), TDatum(), TDatum(31, 2, 1998)}) {
        EXPECT_TRUE(Period.ContainsDate(Date)) << Fields(Date);
    }
}

}  // namespace
}  // namespace tulma
