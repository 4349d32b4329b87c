// model_calendar.hpp - the model's stepping calendar (every year divisible
// by 4 a leap year), and its date-times counted in seconds.
#pragma once

#include <cstdint>

#include "time/datim.hpp"

namespace talik {

// The first year of the model's calendar: its seconds count from
// 1901-01-01 00:00:00.
inline constexpr int MODEL_FIRST_YEAR = 1901;

// Days of a month (1 to 12) of a year on the model's calendar.
int model_month_length(int year, int month);

// Seconds from 1901-01-01 00:00:00 to dt on the model's calendar.
std::int64_t model_seconds(const DATIM& dt);

// The DATIM seconds seconds after 1901-01-01 00:00:00.
DATIM model_datim(std::int64_t seconds);

// The model second at or after seconds that is a whole minute.
std::int64_t next_whole_minute(std::int64_t seconds);

}  // namespace talik
