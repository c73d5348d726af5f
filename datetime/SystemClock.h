#pragma once

#include "Calendar.h"

namespace tulma {

// One reading of the system clock in local time, milliseconds dropped.
TDateTimeFields CurrentLocalDateTime();

}  // namespace tulma
