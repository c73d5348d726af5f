#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Calendar.h"

namespace tulma {

// A number in decimal with a "0" in front when it is below 10: 6 gives "06", 14 gives "14".
std::string WithLeadingZero(int32_t Value);

// One component of a sort key: the value ascending, Ceiling minus the value descending, with a leading
// zero below 10.
std::string SortKeyPart(int32_t Value, int32_t Ceiling, bool Ascending);

// The program-wide formats of date and time texts; start-up sets the short date format to "dd.MM.yyyy".
std::string& ShortDateFormat();
std::string& LongTimeFormat();

// Fields into a format text. Letters, in either case: d day, m month (minutes right after an hour),
// y year (two digits for "yy"), h hour, n minute, s second; doubled letters pad to two digits.
// Text in single or double quotes and every other character is copied as it stands.
std::string FormatDateTime(std::string_view Format, const TDateTimeFields& Fields);

}  // namespace tulma
