#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <ctime>
#include <string>

#include "DateSortingOrder.h"
#include "DateTestSupport.h"

namespace tulma {
namespace {

using namespace std::chrono;

TEST(DatumCalendar, ExistenceFollowsTheGregorianRuleWithinTheSupportedYears) {
    EXPECT_TRUE(TDatum(29, 2, 2000).DateExists());
    EXPECT_FALSE(TDatum(29, 2, 1900).DateExists());
    EXPECT_TRUE(TDatum(29, 2, 1996).DateExists());
    EXPECT_FALSE(TDatum(29, 2, 1998).DateExists());
    EXPECT_FALSE(TDatum(31, 4, 1998).DateExists());
    EXPECT_TRUE(TDatum(1, 1, 1800).DateExists());
    EXPECT_TRUE(TDatum(31, 12, 2099).DateExists());
    EXPECT_FALSE(TDatum(31, 12, 1799).DateExists());
    EXPECT_FALSE(TDatum(1, 1, 2100).DateExists());
    EXPECT_FALSE(TDatum(0, 1, 2000).DateExists());
    EXPECT_FALSE(TDatum(1, 13, 2000).DateExists());
    EXPECT_FALSE(TDatum().DateExists());
}

TEST(DatumCalendar, NextAndPreviousDayCrossMonthsYearsAndLeapDays) {
    const auto Next = [](TDatum Date) {
        Date.NextDay();
        return Fields(Date);
    };
    const auto Previous = [](TDatum Date) {
        Date.PreviousDay();
        return Fields(Date);
    };
    EXPECT_EQ(Next(TDatum(28, 2, 2000)), "29.2.2000");
    EXPECT_EQ(Next(TDatum(28, 2, 1900)), "1.3.1900");
    EXPECT_EQ(Next(TDatum(30, 4, 1998)), "1.5.1998");
    EXPECT_EQ(Next(TDatum(31, 12, 1999)), "1.1.2000");
    EXPECT_EQ(Previous(TDatum(1, 3, 2000)), "29.2.2000");
    EXPECT_EQ(Previous(TDatum(1, 3, 1900)), "28.2.1900");
    EXPECT_EQ(Previous(TDatum(1, 1, 2000)), "31.12.1999");
    EXPECT_EQ(Previous(TDatum(31, 2, 1998)), "30.2.1998");
}

TEST(DatumCalendar, DayNumbersAgreeWithTheStandardCalendarFrom1800To2099) {
    const sys_days Origin = 1900y / December / 31;
    const sys_days Last = 2099y / December / 31;
    for (sys_days Day = 1800y / January / 1; Day <= Last; Day += days(1)) {
        const year_month_day Ymd(Day);
        const TDatum Date(static_cast<int8_t>(static_cast<unsigned>(Ymd.day())),
                          static_cast<int8_t>(static_cast<unsigned>(Ymd.month())),
                          static_cast<int16_t>(static_cast<int>(Ymd.year())));
        ASSERT_TRUE(Date.DateExists()) << Fields(Date);
        ASSERT_EQ(Date.Seit1900(), (Day - Origin).count()) << Fields(Date);
        ASSERT_EQ(Date.GetWeekday(), static_cast<int32_t>(weekday(Day).iso_encoding()) - 1) << Fields(Date);

        TDatum Following(Date.Tag, Date.Monat, Date.Jahr);
        Following.NextDay();
        const year_month_day Expected(Day + days(1));
        ASSERT_EQ(Following.Tag, static_cast<int>(static_cast<unsigned>(Expected.day()))) << Fields(Date);
        ASSERT_EQ(Date.DayDifference(Following), 1) << Fields(Date);
        Following.PreviousDay();
        ASSERT_TRUE(Following.EqualTo(Date)) << Fields(Date);
    }
}

TEST(DatumCalendar, DayNumberExamples) {
    EXPECT_EQ(TDatum(1, 1, 1901).Seit1900(), 1);
    EXPECT_EQ(TDatum(31, 12, 1900).Seit1900(), 0);
    EXPECT_EQ(TDatum(30, 12, 1900).Seit1900(), -1);
    EXPECT_EQ(TDatum(1, 1, 1998).DayDifference(TDatum(1, 1, 1999)), 365);
    EXPECT_EQ(TDatum(1, 1, 1999).DayDifference(TDatum(1, 1, 1998)), -365);
    // Fields beyond their month run on into the next: 31.2.1998 is the day of 3.3.1998.
    EXPECT_EQ(TDatum(31, 2, 1998).Seit1900(), TDatum(3, 3, 1998).Seit1900());
}

TEST(DatumCalendar, WeekdaysOfKnownDates) {
    EXPECT_EQ(TDatum(2, 1, 1995).GetWeekday(), 0);
    EXPECT_EQ(TDatum(1, 1, 1995).GetWeekday(), 6);
    EXPECT_EQ(TDatum(1, 3, 2000).GetWeekday(), 2);
    EXPECT_EQ(TDatum(6, 4, 1998).GetWeekday(), 0);
    EXPECT_EQ(TDatum(29, 2, 1900).GetWeekday(), -1);
    EXPECT_EQ(TDatum().GetWeekday(), -1);
    EXPECT_FALSE(TDatum(11, 4, 1998).IsWeekday());
    EXPECT_FALSE(TDatum(12, 4, 1998).IsWeekday());
    EXPECT_TRUE(TDatum(10, 4, 1998).IsWeekday());
}

TEST(DatumCalendar, DayAndWeekSteps) {
    TDatum Date(1, 1, 1998);
    Date.AddDay(365);
    EXPECT_EQ(Fields(Date), "1.1.1999");
    Date.AddDay(-366);
    EXPECT_EQ(Fields(Date), "31.12.1997");
    Date.AddWeek(2);
    EXPECT_EQ(Fields(Date), "14.1.1998");
    Date.AddWeek(-1);
    EXPECT_EQ(Fields(Date), "7.1.1998");
    // Seven times 10000 days does not fit 16 bits and is still stepped in full.
    Date.AddWeek(10000);
    EXPECT_EQ(TDatum(7, 1, 1998).DayDifference(Date), 70000);
}

TEST(DatumCalendar, AddMonthKeepsTheDayWithinTheNewMonth) {
    const auto Plus = [](TDatum Date, int8_t N) {
        Date.AddMonth(N);
        return Fields(Date);
    };
    EXPECT_EQ(Plus(TDatum(31, 1, 2000), 1), "29.2.2000");
    EXPECT_EQ(Plus(TDatum(31, 1, 1998), 1), "28.2.1998");
    EXPECT_EQ(Plus(TDatum(31, 3, 1998), -1), "28.2.1998");
    EXPECT_EQ(Plus(TDatum(31, 5, 1998), 1), "30.6.1998");
    EXPECT_EQ(Plus(TDatum(15, 1, 2000), -13), "15.12.1998");
    EXPECT_EQ(Plus(TDatum(15, 12, 1998), 1), "15.1.1999");
    EXPECT_EQ(Plus(TDatum(15, 6, 1998), 127), "15.1.2009");
    EXPECT_EQ(Plus(TDatum(15, 6, 1998), -128), "15.10.1987");
    // Outside the supported years the day is still brought into the month instead of stepping forever.
    EXPECT_EQ(Plus(TDatum(31, 1, 5000), 1), "28.2.5000");
}

TEST(DatumCalendar, AddYearChangesOnlyTheYear) {
    TDatum Date(29, 2, 2000);
    Date.AddYear(1);
    EXPECT_EQ(Fields(Date), "29.2.2001");
    EXPECT_FALSE(Date.DateExists());
    Date.AddYear(100000);
    EXPECT_EQ(Date.Jahr, 32767);
}

TEST(DatumCalendar, WeekdayStepsSkipWeekends) {
    const auto Step = [](TDatum Date, void (TDatum::*Operation)()) {
        (Date.*Operation)();
        return Fields(Date);
    };
    EXPECT_EQ(Step(TDatum(10, 4, 1998), &TDatum::NextWeekday), "13.4.1998");
    EXPECT_EQ(Step(TDatum(11, 4, 1998), &TDatum::NextWeekday), "13.4.1998");
    EXPECT_EQ(Step(TDatum(8, 4, 1998), &TDatum::NextWeekday), "9.4.1998");
    EXPECT_EQ(Step(TDatum(13, 4, 1998), &TDatum::PreviousWeekday), "10.4.1998");
    EXPECT_EQ(Step(TDatum(12, 4, 1998), &TDatum::PreviousWeekday), "10.4.1998");
    EXPECT_EQ(Step(TDatum(12, 4, 1998), &TDatum::GoBackToMonday), "6.4.1998");
    EXPECT_EQ(Step(TDatum(6, 4, 1998), &TDatum::GoBackToMonday), "6.4.1998");
    EXPECT_EQ(Step(TDatum(1, 3, 2000), &TDatum::GoBackToMonday), "28.2.2000");
    // 1.1.1800 was a Wednesday: its Monday lies before the supported years.
    EXPECT_EQ(Step(TDatum(1, 1, 1800), &TDatum::GoBackToMonday), "30.12.1799");
}

TEST(DatumCalendar, SteppingEndsForDatesOutsideTheCalendar) {
    const auto Step = [](TDatum Date, void (TDatum::*Operation)()) {
        (Date.*Operation)();
        return Fields(Date);
    };
    for (const auto Operation : {&TDatum::NextDay, &TDatum::PreviousDay, &TDatum::NextWeekday,
                                 &TDatum::PreviousWeekday, &TDatum::GoBackToMonday}) {
        EXPECT_EQ(Step(TDatum(), Operation), "0.0.0");
    }
    TDatum Zero;
    Zero.AddDay(100);
    Zero.AddWeek(-3);
    Zero.AddMonth(1);
    Zero.AddYear(1998);
    EXPECT_TRUE(Zero.IsZeroDate());

    // A weekday step that leaves the supported years stops on the first day beyond them.
    EXPECT_EQ(Step(TDatum(31, 12, 2099), &TDatum::NextWeekday), "1.1.2100");
    EXPECT_EQ(Step(TDatum(31, 2, 1998), &TDatum::GoBackToMonday), "31.2.1998");
    EXPECT_EQ(Step(TDatum(5, 3, 2500), &TDatum::GoBackToMonday), "1.3.2500");
    // Fields at the ends of their ranges roll over instead of overflowing.
    EXPECT_EQ(Step(TDatum(-128, 5, 1998), &TDatum::PreviousDay), "30.4.1998");
    EXPECT_EQ(Step(TDatum(127, 127, 32767), &TDatum::NextDay), "1.1.32767");
    EXPECT_EQ(Step(TDatum(1, 1, -32768), &TDatum::PreviousDay), "31.12.-32768");
    EXPECT_EQ(Step(TDatum(1, 20, 1998), &TDatum::PreviousDay), "31.12.1998");
}

TEST(DatumCalendar, OrderFollowsTheActiveDateOrder) {
    const TDatum Early(2, 1, 1998);
    const TDatum Late(1, 2, 1999);
    EXPECT_TRUE(Early.Before(Late));
    EXPECT_TRUE(Late.After(Early));
    EXPECT_FALSE(Early.After(Early));
    EXPECT_EQ(Early.Compare(Late), -1);
    EXPECT_EQ(Late.Compare(Early), 1);
    EXPECT_EQ(Early.Compare(TDatum(2, 1, 1998)), 0);

    const auto Saved = ActiveDateOrder().Order;
    ActiveDateOrder().Order = {TDatum::DayComponent, TDatum::MonthComponent, TDatum::YearComponent};
    EXPECT_TRUE(Late.Before(Early));
    EXPECT_EQ(Early.Compare(Late), 1);
    ActiveDateOrder().Order = Saved;
}

TEST(DatumCalendar, ComponentsByKind) {
    const TDatum Date(6, 4, 1998);
    EXPECT_EQ(Date.GetComponent(TDatum::YearComponent), 1998);
    EXPECT_EQ(Date.GetComponent(TDatum::MonthComponent), 4);
    EXPECT_EQ(Date.GetComponent(TDatum::DayComponent), 6);
    EXPECT_EQ(Date.GetComponent(3), -1);
    EXPECT_EQ(Date.GetComponent(-1), -1);
}

class DatumToday : public FixedTodayTest {};

TEST_F(DatumToday, PastAndFutureAreRelativeToToday) {
    EXPECT_TRUE(TDatum(14, 6, 2024).LiesInPast());
    EXPECT_FALSE(TDatum(14, 6, 2024).LiesInFuture());
    EXPECT_TRUE(TDatum(16, 6, 2024).LiesInFuture());
    EXPECT_FALSE(TDatum(15, 6, 2024).LiesInPast());
    EXPECT_FALSE(TDatum(15, 6, 2024).LiesInFuture());
}

TEST(DatumClock, CurrentDateIsTheLocalDate) {
    const auto LocalDate = [] {
        const std::time_t Now = system_clock::to_time_t(system_clock::now());
        const std::tm Local = *std::localtime(&Now);
        return std::to_string(Local.tm_mday) + "." + std::to_string(Local.tm_mon + 1) + "." +
               std::to_string(Local.tm_year + 1900);
    };
    const std::string Before = LocalDate();
    TDatum Date;
    Date.GetCurrDate();
    const std::string After = LocalDate();
    // Midnight may pass between the readings.
    EXPECT_TRUE(Fields(Date) == Before || Fields(Date) == After) << Fields(Date);
}

TEST(DatumClock, StartUpCreatesTodayAndTheChronologicalOrder) {
    EXPECT_TRUE(Today().DateExists());
    EXPECT_EQ(ActiveDateOrder().Order, (std::array<uint8_t, 3>{0, 1, 2}));
}

}  // namespace
}  // namespace tulma
