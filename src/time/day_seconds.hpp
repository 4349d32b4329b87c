// day_seconds.hpp - a date-time's time of day as seconds, and a count of
// seconds as whole days and the seconds of the day, on any calendar.
#pragma once

#include <cstdint>

#include "numeric/constants.hpp"
#include "time/datim.hpp"

namespace talik {

// second_of_day - the seconds of dt's day before its time: 0 to 86399 for a
// valid time.
inline std::int64_t second_of_day(const DATIM& dt) {
    return dt[HOUR] * SECONDS_PER_HOUR_WHOLE + dt[MINUTE] * SECONDS_PER_MINUTE_WHOLE + dt[SECOND];
}

// DaysAndSeconds, split_days - seconds as whole days and the seconds of the
// day after them, 0 to 86399.  The days round down below 0 too, so that an
// instant before a calendar's origin keeps a time of day that is not
// negative.
struct DaysAndSeconds {
    std::int64_t days;
    std::int64_t second_of_day;
};

inline DaysAndSeconds split_days(std::int64_t seconds) {
    DaysAndSeconds split{seconds / SECONDS_PER_DAY_WHOLE, seconds % SECONDS_PER_DAY_WHOLE};
    if (split.second_of_day < 0) {
        split.second_of_day += SECONDS_PER_DAY_WHOLE;
        --split.days;
    }
    return split;
}

// datim_at - the DATIM of a date and a second of its day (0 to 86399); the
// date's fields must fit a DATIM.
inline DATIM datim_at(std::int64_t year, std::int64_t month, std::int64_t day, std::int64_t second_of_day) {
    return {static_cast<std::int16_t>(year),
            static_cast<std::int16_t>(month),
            static_cast<std::int16_t>(day),
            static_cast<std::int16_t>(second_of_day / SECONDS_PER_HOUR_WHOLE),
            static_cast<std::int16_t>(second_of_day % SECONDS_PER_HOUR_WHOLE / SECONDS_PER_MINUTE_WHOLE),
            static_cast<std::int16_t>(second_of_day % SECONDS_PER_MINUTE_WHOLE)};
}

}  // namespace talik
