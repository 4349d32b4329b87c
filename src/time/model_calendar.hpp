// model_calendar.hpp - the model's stepping calendar, and its date-times
// counted in seconds.
//
// The model steps whole-second DATIMs on the month table's calendar, where
// every year divisible by 4 is a leap year (MONTAB, ADDTIM), so 2100 has a
// 29 February.  Counting seconds on that same calendar lets a pass finder
// bisect and step with plain integers and come back to the DATIM the model
// would have reached by ADDTIM's carries.  These seconds are the model's
// time, not real time: gregorian.hpp turns a model date-time into a real
// instant.
#pragma once

#include <cstdint>

#include "time/datim.hpp"

namespace talik {

// The first year of the model's calendar: its seconds count from
// 1901-01-01 00:00:00.
inline constexpr int MODEL_FIRST_YEAR = 1901;

// Days of a month (1 to 12) of a year on the model's calendar.
int model_month_length(int year, int month);

// Seconds from 1901-01-01 00:00:00 to dt on the model's calendar; dt must
// be a supported date-time (check_date).
std::int64_t model_seconds(const DATIM& dt);

// The DATIM seconds seconds after 1901-01-01 00:00:00 (years 1901 to 9999).
DATIM model_datim(std::int64_t seconds);

// The model second at or after seconds that is a whole minute.
std::int64_t next_whole_minute(std::int64_t seconds);

}  // namespace talik
