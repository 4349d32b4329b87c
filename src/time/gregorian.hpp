// gregorian.hpp - the real calendar (proleptic Gregorian, UTC without leap
// seconds), and the real instant of a model date-time.
//
// The model's own day count (JULDAT) follows this calendar, while its
// stepping (model_calendar.hpp) gives every fourth year a leap day: a model
// date-time is a real instant read through the day count, so its 29
// February of a century year such as 2100 is 1 March.  Whatever the
// companion programs print is a real date, converted here.
#pragma once

#include <cstdint>

#include "time/datim.hpp"

namespace talik {

bool leap_year(std::int64_t year);

// Days of a month (1 to 12) of a year.
int month_length(std::int64_t year, int month);

// Days from 1970-01-01 to the date; the day may run past the month's end
// (29 February of a common year is 1 March).
std::int64_t days_from_civil(std::int64_t year, int month, int day);

// Seconds since 1970-01-01 00:00:00 UTC of dt, read as the model's day count
// reads it; fields in their normal ranges, the day up to 29 in February.
std::int64_t unix_seconds(const DATIM& dt);

// The real date-time of seconds since 1970-01-01 00:00:00 UTC (years 1 to
// 32767).
DATIM utc_datim(std::int64_t unix_seconds);

// Seconds since 1970-01-01 00:00:00 UTC of a time in model seconds.
std::int64_t unix_seconds_of_model(std::int64_t model_seconds);

// The model seconds of a real instant: the model's date-time with the same
// fields (1901 to 9999).
std::int64_t model_seconds_of_unix(std::int64_t unix_seconds);

}  // namespace talik
