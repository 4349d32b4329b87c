// model_time.hpp - the model's date-times as a count of seconds, and as
// text to the tenth of a second.
//
// The model steps whole-second DATIMs with the month table's leap rule
// (every year divisible by 4).  Counting seconds on that same calendar lets
// a pass finder bisect and step with plain integers and come back to the
// DATIM the model would have reached by ADDTIM's carries.
#pragma once

#include <cstdint>
#include <string>

#include "time/datim.hpp"

namespace talik {

// Tenths of a second per second: pass times are kept in tenths.
inline constexpr std::int64_t TENTHS = 10;

// Seconds from 1901-01-01 00:00:00 to dt on the model's calendar; dt must
// be a supported date-time (check_date).
std::int64_t model_seconds(const DATIM& dt);

// The DATIM seconds seconds after 1901-01-01 00:00:00 (years 1901 to 9999).
DATIM model_datim(std::int64_t seconds);

// "2021-10-17T15:03:12.3Z" for a time in tenths of a second.
std::string iso_tenths(std::int64_t tenths);

}  // namespace talik
