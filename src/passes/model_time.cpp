// model_seconds, model_datim, iso_tenths - the model's calendar as a count
// of seconds, and as text.
//
// Notes:
//  - From 1901 on, every fourth year is a leap year (MONTAB's rule), so the
//    calendar repeats in cycles of four years of 1461 days, the fourth year
//    of each cycle being the leap year.
#include "passes/model_time.hpp"
#include "numeric/constants.hpp"

#include <array>
#include <cstdio>


namespace talik {

namespace {

constexpr int FIRST_YEAR = 1901;
constexpr std::int64_t DAYS_PER_CYCLE = 1461;  // four years, one of them leap
constexpr std::int64_t DAYS_PER_YEAR = 365;

std::array<int, 12> month_lengths(int year) {
    std::array<int, 12> len{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year % 4 == 0) len[1] = 29;
    return len;
}

}  // namespace

std::int64_t model_seconds(const DATIM& dt) {
    const int years = dt[YEAR] - FIRST_YEAR;
    std::int64_t days = DAYS_PER_CYCLE * (years / 4) + DAYS_PER_YEAR * (years % 4);
    const auto len = month_lengths(dt[YEAR]);
    for (int m = 1; m < dt[MONTH]; ++m) days += len[static_cast<std::size_t>(m - 1)];
    days += dt[DAY] - 1;
    return days * SECONDS_PER_DAY_WHOLE + dt[HOUR] * SECONDS_PER_HOUR_WHOLE + dt[MINUTE] * SECONDS_PER_MINUTE_WHOLE + dt[SECOND];
}

DATIM model_datim(std::int64_t seconds) {
    std::int64_t days = seconds / SECONDS_PER_DAY_WHOLE;
    std::int64_t rest = seconds % SECONDS_PER_DAY_WHOLE;
    if (rest < 0) {
        rest += SECONDS_PER_DAY_WHOLE;
        --days;
    }
    std::int64_t year = FIRST_YEAR + 4 * (days / DAYS_PER_CYCLE);
    days %= DAYS_PER_CYCLE;
    // The first three years of a cycle have 365 days, the fourth 366.
    const std::int64_t in_cycle = days / DAYS_PER_YEAR < 3 ? days / DAYS_PER_YEAR : 3;
    year += in_cycle;
    days -= in_cycle * DAYS_PER_YEAR;
    const auto len = month_lengths(static_cast<int>(year));
    int month = 1;
    while (days >= len[static_cast<std::size_t>(month - 1)]) {
        days -= len[static_cast<std::size_t>(month - 1)];
        ++month;
    }
    return {static_cast<std::int16_t>(year), static_cast<std::int16_t>(month), static_cast<std::int16_t>(days + 1),
            static_cast<std::int16_t>(rest / SECONDS_PER_HOUR_WHOLE), static_cast<std::int16_t>(rest / 60 % 60),
            static_cast<std::int16_t>(rest % 60)};
}

std::string iso_tenths(std::int64_t tenths) {
    std::int64_t seconds = tenths / TENTHS;
    std::int64_t tenth = tenths % TENTHS;
    if (tenth < 0) {
        tenth += TENTHS;
        --seconds;
    }
    const DATIM d = model_datim(seconds);
    char text[80];  // room for any 16-bit field
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%dZ", d[YEAR], d[MONTH], d[DAY], d[HOUR],
                  d[MINUTE], d[SECOND], static_cast<int>(tenth));
    return text;
}

}  // namespace talik
