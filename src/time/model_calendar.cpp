// model_month_length, model_seconds, model_datim, next_whole_minute - the
// model's stepping calendar as a count of seconds.
//
// Given:    year, month  int    a year and its month, 1 to 12
//                               (model_month_length)
//           dt           DATIM  a supported date-time (check_date)
//                               (model_seconds)
//           seconds      int64  seconds from 1901-01-01 00:00:00 on the
//                               model's calendar: of a time in years 1901 to
//                               9999 (model_datim), any (next_whole_minute)
// Returned: (value)             the month's days; the seconds of dt; the
//                               DATIM of the seconds; the first whole minute
//                               at or after the seconds
//
// Notes:
//  - The model steps whole-second DATIMs on the month table's calendar, where
//    every year divisible by 4 is a leap year (MONTAB, ADDTIM), so 2100 has
//    a 29 February.  Counting seconds on that same calendar lets a pass
//    finder bisect and step with plain integers and come back to the DATIM
//    the model would have reached by ADDTIM's carries.  These seconds are the
//    model's time, not real time (gregorian.cpp turns one into the other).
//  - From 1901 on the calendar repeats in cycles of four years of 1461 days,
//    the fourth year of each cycle being the leap year.
#include "time/model_calendar.hpp"

#include "numeric/constants.hpp"
#include "time/day_seconds.hpp"
#include "time/montab.hpp"

namespace talik {

namespace {

constexpr std::int64_t DAYS_PER_CYCLE = 1461;  // four years, one of them leap
constexpr std::int64_t DAYS_PER_COMMON_YEAR = 365;

}  // namespace

int model_month_length(int year, int month) {
    MONLEN monlen;
    MONTAB(DATIM{static_cast<std::int16_t>(year), 1, 1, 0, 0, 0}, monlen);
    return monlen(month);
}

std::int64_t model_seconds(const DATIM& dt) {
    const int years = dt[YEAR] - MODEL_FIRST_YEAR;
    std::int64_t days = DAYS_PER_CYCLE * (years / 4) + DAYS_PER_COMMON_YEAR * (years % 4);
    MONLEN monlen;
    MONTAB(dt, monlen);
    for (int m = 1; m < dt[MONTH]; ++m) days += monlen(m);
    days += dt[DAY] - 1;
    return days * SECONDS_PER_DAY_WHOLE + second_of_day(dt);
}

DATIM model_datim(std::int64_t seconds) {
    const DaysAndSeconds split = split_days(seconds);
    std::int64_t days = split.days;
    std::int64_t year = MODEL_FIRST_YEAR + 4 * (days / DAYS_PER_CYCLE);
    days %= DAYS_PER_CYCLE;
    // The first three years of a cycle have 365 days, the fourth 366.
    const std::int64_t in_cycle = days / DAYS_PER_COMMON_YEAR < 3 ? days / DAYS_PER_COMMON_YEAR : 3;
    year += in_cycle;
    days -= in_cycle * DAYS_PER_COMMON_YEAR;
    MONLEN monlen;
    MONTAB(DATIM{static_cast<std::int16_t>(year), 1, 1, 0, 0, 0}, monlen);
    int month = 1;
    while (days >= monlen(month)) {
        days -= monlen(month);
        ++month;
    }
    return datim_at(year, month, days + 1, split.second_of_day);
}

std::int64_t next_whole_minute(std::int64_t seconds) {
    const std::int64_t past = seconds % SECONDS_PER_MINUTE_WHOLE;
    return past == 0 ? seconds : seconds + (past > 0 ? SECONDS_PER_MINUTE_WHOLE - past : -past);
}

}  // namespace talik
