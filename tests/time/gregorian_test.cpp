// The real calendar against the C library's (gmtime_r, timegm), its month
// and year lengths against its own day count, the real instant of model
// date-times, and the split of seconds into days and a time of day.

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>

#include "time/day_seconds.hpp"
#include "time/gregorian.hpp"
#include "time/model_calendar.hpp"

namespace talik {
namespace {

TEST(Gregorian, AgreesWithTheCLibrary) {
    const std::int64_t first = unix_seconds({1901, 1, 1, 0, 0, 0});
    const std::int64_t last = unix_seconds({9999, 12, 31, 23, 59, 59});
    constexpr std::int64_t STRIDE = 9999991;  // a prime: every time of day and month comes round
    for (std::int64_t t = first;; t = std::min(t + STRIDE, last)) {
        const auto c_time = static_cast<std::time_t>(t);
        std::tm tm{};
        ASSERT_NE(gmtime_r(&c_time, &tm), nullptr);
        const DATIM expected{static_cast<std::int16_t>(tm.tm_year + 1900), static_cast<std::int16_t>(tm.tm_mon + 1),
                             static_cast<std::int16_t>(tm.tm_mday),        static_cast<std::int16_t>(tm.tm_hour),
                             static_cast<std::int16_t>(tm.tm_min),         static_cast<std::int16_t>(tm.tm_sec)};
        ASSERT_EQ(utc_datim(t), expected) << t;
        ASSERT_EQ(unix_seconds(expected), t);
        ASSERT_EQ(timegm(&tm), c_time);
        if (t == last) break;
    }
}

TEST(Gregorian, LengthsAgreeWithTheDayCount) {
    for (std::int64_t year = 1901; year <= 9999; ++year) {
        ASSERT_EQ(days_from_civil(year + 1, 1, 1) - days_from_civil(year, 1, 1), leap_year(year) ? 366 : 365) << year;
        for (int month = 1; month < 12; ++month) {
            ASSERT_EQ(days_from_civil(year, month + 1, 1) - days_from_civil(year, month, 1), month_length(year, month));
        }
    }
}

TEST(Gregorian, RealInstantsOfModelDateTimes) {
    // The model's calendar has a 29 February 2100, but its day count (and so
    // its position) is the real one: that day is the real 1 March, as is
    // the model's 1 March after it.
    struct Case {
        DATIM model;
        DATIM real;
    };
    const Case cases[] = {{{2024, 2, 29, 6, 30, 0}, {2024, 2, 29, 6, 30, 0}},
                          {{2100, 2, 29, 11, 5, 11}, {2100, 3, 1, 11, 5, 11}},
                          {{2100, 3, 1, 11, 5, 11}, {2100, 3, 1, 11, 5, 11}},
                          {{1901, 1, 1, 0, 0, 0}, {1901, 1, 1, 0, 0, 0}}};
    for (const Case& c : cases) {
        EXPECT_EQ(utc_datim(unix_seconds_of_model(model_seconds(c.model))), c.real) << c.model[0];
        EXPECT_EQ(model_seconds_of_unix(unix_seconds(c.real)), model_seconds(c.real));
    }
}

TEST(DaySeconds, SplitAndJoinedAgain) {
    for (std::int64_t t = -3 * 86400 - 7; t <= 3 * 86400 + 7; t += 4327) {
        const DaysAndSeconds split = split_days(t);
        ASSERT_GE(split.second_of_day, 0);
        ASSERT_LT(split.second_of_day, 86400);
        ASSERT_EQ(split.days * 86400 + split.second_of_day, t);
        ASSERT_EQ(second_of_day(datim_at(2000, 1, 1, split.second_of_day)), split.second_of_day);
    }
}

}  // namespace
}  // namespace talik
