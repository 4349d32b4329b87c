// datim.hpp - DATIM, the date-time record of the whole program.
//
// Six 16-bit integers, always UT, in the order year (in full), month, day,
// hour, minute, second.  Index 0 holds the year.
#pragma once

#include <array>
#include <cstdint>

namespace talik {

using DATIM = std::array<std::int16_t, 6>;

enum DatimField : int { YEAR = 0, MONTH = 1, DAY = 2, HOUR = 3, MINUTE = 4, SECOND = 5 };

}  // namespace talik
