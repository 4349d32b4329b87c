// ADDTIM, after_steps - advance a date-time by a step, with every calendar
// carry.
//
// Given:    dt      DATIM   date-time to advance, UT
//           minstp  int16   whole minutes of the step (ADDTIM)
//           secstp  int16   remaining seconds, -59 to 59, of the sign of
//                           minstp (ADDTIM)
//           monlen  MONLEN  month lengths of dt's year, loaded by MONTAB
//                           (ADDTIM)
//           steps   int32   how many steps (after_steps)
//           step_seconds  int16  seconds of each step (after_steps)
// Returned: dt      DATIM   the advanced date-time, in place (ADDTIM)
//           monlen  MONLEN  February set anew when the year changes (ADDTIM)
//           (value) DATIM   the date-time a run reaches after the steps
//                           (after_steps)
//
// Notes:
//  - Forward steps carry at most one day, which is enough for any step of
//    up to 32767 seconds.  Backward steps borrow one hour for every 60
//    minutes the minute field falls below zero, so that the fields are back
//    in their normal ranges after every call.
//  - after_steps goes by ADDTIM's carries, so by MONTAB's leap rule too,
//    in strides of a day at most.
#include "time/addtim.hpp"

#include "numeric/constants.hpp"
#include "time/model_calendar.hpp"

namespace talik {

namespace {

// February's length for a year, by the month table's rule.
std::int16_t february(int year) { return static_cast<std::int16_t>(model_month_length(year, 2)); }

// Borrow one hour, and a day, month and year as far as needed.
void borrow_hour(DATIM& dt, MONLEN& monlen) {
    dt[HOUR] = static_cast<std::int16_t>(dt[HOUR] - 1);
    if (dt[HOUR] >= 0) return;
    dt[HOUR] = 23;
    dt[DAY] = static_cast<std::int16_t>(dt[DAY] - 1);
    if (dt[DAY] >= 1) return;
    dt[MONTH] = static_cast<std::int16_t>(dt[MONTH] - 1);
    if (dt[MONTH] >= 1) {
        dt[DAY] = monlen(dt[MONTH]);
    } else {
        dt[MONTH] = 12;
        dt[YEAR] = static_cast<std::int16_t>(dt[YEAR] - 1);
        dt[DAY] = 31;
        monlen.days[1] = february(dt[YEAR]);
    }
}

}  // namespace

void ADDTIM(DATIM& dt, std::int16_t minstp, std::int16_t secstp, MONLEN& monlen) {
    int s = dt[SECOND] + secstp;
    int m = dt[MINUTE];
    if (s < 0) {
        s += 60;
        m = m + minstp - 1;
    } else {
        if (s >= 60) {
            s -= 60;
            m += 1;
        }
        m += minstp;
    }
    dt[SECOND] = static_cast<std::int16_t>(s);

    if (m < 0) {
        // mended: a step back of an hour or more borrows as many hours as it needs, so the fields stay normalised.
        while (m < 0) {
            m += 60;
            dt[MINUTE] = static_cast<std::int16_t>(m);
            borrow_hour(dt, monlen);
        }
        return;
    }

    int h = dt[HOUR];
    while (m >= 60) {
        m -= 60;
        h += 1;
    }
    dt[MINUTE] = static_cast<std::int16_t>(m);
    if (h < 24) {
        dt[HOUR] = static_cast<std::int16_t>(h);
        return;
    }

    // One day carry; the month's length is the one before the month changes.
    dt[HOUR] = static_cast<std::int16_t>(h - 24);
    dt[DAY] = static_cast<std::int16_t>(dt[DAY] + 1);
    if (dt[DAY] > monlen(dt[MONTH])) {
        dt[DAY] = 1;
        dt[MONTH] = static_cast<std::int16_t>(dt[MONTH] + 1);
        if (dt[MONTH] > 12) {
            dt[MONTH] = 1;
            dt[YEAR] = static_cast<std::int16_t>(dt[YEAR] + 1);
            monlen.days[1] = february(dt[YEAR]);
        }
    }
}

DATIM after_steps(const DATIM& dt, std::int32_t steps, std::int16_t step_seconds) {
    // Whole days first (one day carries at most one day), then what is left.
    const std::int64_t total = static_cast<std::int64_t>(steps) * step_seconds;
    const std::int64_t sign = total < 0 ? -1 : 1;
    std::int64_t left = total * sign;
    DATIM at = dt;
    MONLEN monlen;
    MONTAB(at, monlen);
    constexpr std::int64_t DAY_SECONDS = SECONDS_PER_DAY_WHOLE;
    while (left > 0) {
        const std::int64_t chunk = left < DAY_SECONDS ? left : DAY_SECONDS;
        const auto minutes = static_cast<std::int16_t>(sign * (chunk / 60));
        const auto seconds = static_cast<std::int16_t>(sign * (chunk % 60));
        ADDTIM(at, minutes, seconds, monlen);
        left -= chunk;
    }
    return at;
}

}  // namespace talik
