// The model's seconds against the model's own stepping (after_steps) and
// day count (JULDAT), and the date-time text.

#include <gtest/gtest.h>

#include "time/iso_datim.hpp"
#include "time/model_calendar.hpp"
#include "time/addtim.hpp"
#include "time/juldat.hpp"

namespace talik {
namespace {

TEST(ModelTime, StepsLikeTheModel) {
    struct Case {
        DATIM start;
        std::int32_t steps;
        std::int16_t step;
    };
    const Case cases[] = {
        {{1995, 6, 15, 0, 0, 0}, 1440, 60},     {{1999, 12, 31, 23, 59, 30}, 7, 13},
        {{2100, 2, 28, 23, 0, 0}, 30, 300},     {{2024, 3, 1, 0, 0, 5}, 50, -3600},
        {{1901, 1, 1, 0, 0, 0}, 99999, 317},    {{9999, 12, 31, 12, 0, 0}, 100, -9999},
        {{2023, 12, 31, 23, 59, 59}, 1, 32767}, {{1904, 2, 28, 12, 0, 0}, 3, 43200 / 2},
    };
    for (const Case& c : cases) {
        const DATIM last = after_steps(c.start, c.steps, c.step);
        EXPECT_EQ(model_datim(model_seconds(c.start) + std::int64_t{c.steps} * c.step), last)
            << c.start[0] << "-" << c.start[1] << "-" << c.start[2] << " x" << c.steps;
        EXPECT_EQ(model_datim(model_seconds(last)), last);
    }
}

TEST(ModelTime, DaysAgreeWithJuldat) {
    // Up to February 2100, where JULDAT's Gregorian day count and the month
    // table's every-fourth-year rule part.
    const DATIM dates[] = {{1901, 1, 1, 0, 0, 0},   {1904, 2, 29, 0, 0, 0}, {2000, 3, 1, 0, 0, 0},
                           {2024, 12, 31, 0, 0, 0}, {2099, 7, 1, 0, 0, 0},  {2100, 2, 28, 0, 0, 0}};
    double jd0 = 0.0;
    Single gst;
    JULDAT(jd0, gst, dates[0]);
    for (const DATIM& d : dates) {
        double jd = 0.0;
        JULDAT(jd, gst, d);
        EXPECT_EQ(model_seconds(d), static_cast<std::int64_t>(jd - jd0) * 86400) << d[0];
    }
}

TEST(ModelTime, Text) {
    const std::int64_t t = model_seconds({2021, 10, 17, 15, 3, 12});
    EXPECT_EQ(iso_tenths(t * 10 + 3), "2021-10-17T15:03:12.3Z");
    EXPECT_EQ(iso_tenths(t * 10 - 1), "2021-10-17T15:03:11.9Z");
}

}  // namespace
}  // namespace talik
