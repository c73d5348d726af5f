#pragma once

#include <cstdint>
#include <optional>

// The runtime's date value, shared with programs of the same convention: days since 30.12.1899 with
// the time of day as the fraction. Before that day the whole part counts back while the fraction
// still counts forward from midnight, so -1.25 is 29.12.1899 06:00.
namespace tulma {

constexpr int32_t MillisecondsPerDay = 86400000;

// A date value and a time value (a fraction of a day) as one value.
double CombineDateAndTime(double DateValue, double TimeValue);

double DateValueOfDayNumber(int64_t DaysSince1900);

struct TDateValueParts {
    int64_t DaysSince1900 = 0;
    int32_t MillisecondOfDay = 0;
};

// The day and the time of day of a value, rounded to the millisecond. None for a value that is not a
// number or lies outside the runtime's range, 1.1.0001 to 31.12.9999.
std::optional<TDateValueParts> SplitDateValue(double Value);

}  // namespace tulma
