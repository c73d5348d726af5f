#include "Calendar.h"

namespace tulma {
namespace {

constexpr int32_t MonthLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// The proleptic Gregorian day count relative to 1.1.1970, over 400-year eras that begin on 1 March, so
// that the leap day is the last day of its year.
constexpr int64_t DaysFromCivil(int64_t Year, int64_t Month, int64_t Day) {
    Year -= Month <= 2 ? 1 : 0;
    const int64_t Era = FloorDiv(Year, 400);
    const int64_t YearOfEra = Year - Era * 400;
    const int64_t DayOfYear = (153 * (Month + (Month > 2 ? -3 : 9)) + 2) / 5 + Day - 1;
    const int64_t DayOfEra = YearOfEra * 365 + YearOfEra / 4 - YearOfEra / 100 + DayOfYear;
    return Era * 146097 + DayOfEra - 719468;
}

TCivilDate CivilFromDays(int64_t Days) {
    Days += 719468;
    const int64_t Era = FloorDiv(Days, 146097);
    const int64_t DayOfEra = Days - Era * 146097;
    const int64_t YearOfEra = (DayOfEra - DayOfEra / 1460 + DayOfEra / 36524 - DayOfEra / 146096) / 365;
    const int64_t DayOfYear = DayOfEra - (365 * YearOfEra + YearOfEra / 4 - YearOfEra / 100);
    const int64_t MonthIndex = (5 * DayOfYear + 2) / 153;
    const int64_t Day = DayOfYear - (153 * MonthIndex + 2) / 5 + 1;
    const int64_t Month = MonthIndex < 10 ? MonthIndex + 3 : MonthIndex - 9;
    const int64_t Year = YearOfEra + Era * 400 + (Month <= 2 ? 1 : 0);
    return {static_cast<int32_t>(Year), static_cast<int32_t>(Month), static_cast<int32_t>(Day)};
}

constexpr int64_t Base1900 = DaysFromCivil(1900, 12, 31);
// 2.1.1995 was a Monday.
constexpr int64_t KnownMonday = DaysFromCivil(1995, 1, 2) - Base1900;

}  // namespace

bool IsLeapYear(int32_t Year) {
    return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

int32_t DaysInMonth(int32_t Month, int32_t Year) {
    if (Month < 1 || Month > 12) {
        return 0;
    }
    return Month == 2 && IsLeapYear(Year) ? 29 : MonthLengths[Month - 1];
}

int64_t DaysSince1900(int32_t Year, int32_t Month, int32_t Day) {
    const int64_t MonthIndex = static_cast<int64_t>(Month) - 1;
    const int64_t FullYear = Year + FloorDiv(MonthIndex, 12);
    const int64_t FirstOfMonth = DaysFromCivil(FullYear, FloorMod(MonthIndex, 12) + 1, 1);
    return FirstOfMonth + Day - 1 - Base1900;
}

TCivilDate CivilFromDaysSince1900(int64_t Days) {
    return CivilFromDays(Days + Base1900);
}

int32_t WeekdayOfDayNumber(int64_t Days) {
    return static_cast<int32_t>(FloorMod(Days - KnownMonday, 7));
}

}  // namespace tulma
