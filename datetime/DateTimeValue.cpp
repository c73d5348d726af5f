#include "DateTimeValue.h"

#include <cmath>
#include <cstdlib>

namespace tulma {
namespace {

// Days from 30.12.1899 to 31.12.1900, the day numbers' origin.
constexpr int64_t DayNumberOffset = 366;
constexpr int64_t FirstDay = -693593;  // 1.1.0001
constexpr int64_t LastDay = 2958465;   // 31.12.9999

}  // namespace

double CombineDateAndTime(double DateValue, double TimeValue) {
    return DateValue < 0 ? DateValue - TimeValue : DateValue + TimeValue;
}

double DateValueOfDayNumber(int64_t DaysSince1900) {
    return static_cast<double>(DaysSince1900 + DayNumberOffset);
}

std::optional<TDateValueParts> SplitDateValue(double Value) {
    if (!std::isfinite(Value) || Value <= FirstDay - 1 || Value >= LastDay + 1) {
        return std::nullopt;
    }
    const int64_t Total = std::llround(Value * MillisecondsPerDay);
    const int64_t Day = Total / MillisecondsPerDay;
    if (Day < FirstDay || Day > LastDay) {
        return std::nullopt;
    }
    return TDateValueParts{Day - DayNumberOffset,
                           static_cast<int32_t>(std::llabs(Total) % MillisecondsPerDay)};
}

}  // namespace tulma
