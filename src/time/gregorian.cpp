// leap_year, month_length, days_from_civil, unix_seconds, utc_datim - the
// real calendar; unix_seconds_of_model, model_seconds_of_unix - the real
// instant of a model time, and back.
//
// Given:    year     int64   proleptic Gregorian year
//           month    int     1 to 12
//           day      int     day of the month; it may run past the month's
//                            end (days_from_civil)
//           dt       DATIM   date-time, UT, read as the model's day count
//                            reads it: fields in their normal ranges, the
//                            day up to 29 in February (unix_seconds)
//           unix_s   int64   seconds since 1970-01-01 00:00:00 UTC: years 1
//                            to 32767 (utc_datim), 1901 to 9999
//                            (model_seconds_of_unix)
//           model_s  int64   model seconds (unix_seconds_of_model)
// Returned: (value)          whether the year is a leap year; the month's
//                            days; days since 1970-01-01; seconds since
//                            1970-01-01 00:00:00 UTC; the real date-time
//                            (utc_datim); model seconds
//
// Notes:
//  - Days from a date count whole 400-year eras of 146097 days from 1 March
//    of year 0, so that the leap day ends a year; a day past the end of
//    February lands in March, as the model's day count has it.
//  - The model's day count (JULDAT) follows this calendar, while its
//    stepping gives every fourth year a leap day (model_calendar.cpp).  A
//    real date-time is a model one with the same fields, except that the
//    model has a 29 February in 2100, 2200, 2300, 2500 ... which is the
//    real 1 March; so a model time is turned into a real one through its
//    fields, never by a constant offset.  Whatever the companion programs
//    print is a real date, converted here.
#include "time/gregorian.hpp"

#include "numeric/constants.hpp"
#include "time/day_seconds.hpp"
#include "time/model_calendar.hpp"
#include "time/montab.hpp"

namespace talik {

namespace {

constexpr std::int64_t DAYS_PER_ERA = 146097;  // 400 years
constexpr std::int64_t YEARS_PER_ERA = 400;
constexpr std::int64_t DAYS_1970_FROM_ERA_0 = 719468;  // 0000-03-01 to 1970-01-01

}  // namespace

bool leap_year(std::int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int month_length(std::int64_t year, int month) {
    return month == 2 && leap_year(year) ? 29 : MONTH_DAYS[static_cast<std::size_t>(month - 1)];
}

std::int64_t days_from_civil(std::int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - (YEARS_PER_ERA - 1)) / YEARS_PER_ERA;
    const std::int64_t year_of_era = year - era * YEARS_PER_ERA;
    const std::int64_t day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * DAYS_PER_ERA + day_of_era - DAYS_1970_FROM_ERA_0;
}

std::int64_t unix_seconds(const DATIM& dt) {
    return days_from_civil(dt[YEAR], dt[MONTH], dt[DAY]) * SECONDS_PER_DAY_WHOLE + second_of_day(dt);
}

DATIM utc_datim(std::int64_t seconds) {
    const DaysAndSeconds split = split_days(seconds);
    std::int64_t days = split.days;
    days += DAYS_1970_FROM_ERA_0;
    const std::int64_t era = (days >= 0 ? days : days - (DAYS_PER_ERA - 1)) / DAYS_PER_ERA;
    const std::int64_t day_of_era = days - era * DAYS_PER_ERA;
    const std::int64_t year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const std::int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const std::int64_t shifted_month = (5 * day_of_year + 2) / 153;  // 0 is March
    const std::int64_t day = day_of_year - (153 * shifted_month + 2) / 5 + 1;
    const std::int64_t month = shifted_month < 10 ? shifted_month + 3 : shifted_month - 9;
    const std::int64_t year = year_of_era + era * YEARS_PER_ERA + (month <= 2 ? 1 : 0);
    return datim_at(year, month, day, split.second_of_day);
}

std::int64_t unix_seconds_of_model(std::int64_t model_s) { return unix_seconds(model_datim(model_s)); }

std::int64_t model_seconds_of_unix(std::int64_t unix_s) { return model_seconds(utc_datim(unix_s)); }

}  // namespace talik
