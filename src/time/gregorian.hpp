// gregorian.hpp - the real calendar (proleptic Gregorian, UTC without leap
// seconds), and the real instant of a model date-time.
#pragma once

#include <cstdint>

#include "time/datim.hpp"

namespace talik {

// Whether a year has a 29 February.
bool leap_year(std::int64_t year);

// Days of a month (1 to 12) of a year.
int month_length(std::int64_t year, int month);

// Days from 1970-01-01 to the date.
std::int64_t days_from_civil(std::int64_t year, int month, int day);

// Seconds since 1970-01-01 00:00:00 UTC of dt, read as the model's day
// count reads it (its 29 February 2100 is 1 March).
std::int64_t unix_seconds(const DATIM& dt);

// The real date-time of seconds since 1970-01-01 00:00:00 UTC.
DATIM utc_datim(std::int64_t unix_seconds);

// Seconds since 1970-01-01 00:00:00 UTC of a time in model seconds.
std::int64_t unix_seconds_of_model(std::int64_t model_seconds);

// The model seconds of a real instant: the model's date-time with the same
// fields.
std::int64_t model_seconds_of_unix(std::int64_t unix_seconds);

}  // namespace talik
