#pragma once

#include <cstdint>

// Gregorian calendar arithmetic on plain day, month and year numbers.
namespace tulma {

struct TCivilDate {
    int32_t Year = 0;
    int32_t Month = 0;
    int32_t Day = 0;
};

struct TDateTimeFields {
    int32_t Year = 0;
    int32_t Month = 0;
    int32_t Day = 0;
    int32_t Hour = 0;
    int32_t Minute = 0;
    int32_t Second = 0;
};

bool IsLeapYear(int32_t Year);

// The length of a month; 0 for a month number outside 1 to 12.
int32_t DaysInMonth(int32_t Month, int32_t Year);

// Days from 31.12.1900 to the date (1.1.1901 is 1). Defined for any numbers: a month outside 1 to 12
// carries into the year and a day beyond its month runs on into the following ones.
int64_t DaysSince1900(int32_t Year, int32_t Month, int32_t Day);

TCivilDate CivilFromDaysSince1900(int64_t Days);

// The weekday of a day number, 0 (Monday) to 6 (Sunday).
int32_t WeekdayOfDayNumber(int64_t Days);

constexpr int64_t FloorDiv(int64_t A, int64_t B) {
    return A / B - ((A % B != 0) && ((A < 0) != (B < 0)) ? 1 : 0);
}

constexpr int64_t FloorMod(int64_t A, int64_t B) {
    return A - FloorDiv(A, B) * B;
}

}  // namespace tulma
