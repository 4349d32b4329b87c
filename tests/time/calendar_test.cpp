// Tests of MONTAB and ADDTIM: the month table against the real calendar and
// the model's seconds, the described carries and borrows, and properties
// checked against std::chrono's calendar.
#include <chrono>
#include <cstdint>
#include <random>

#include <gtest/gtest.h>

#include "numeric/constants.hpp"
#include "time/addtim.hpp"
#include "time/montab.hpp"
#include "time/check_date.hpp"
#include "time/model_calendar.hpp"

namespace talik {
namespace {

using std::chrono::sys_seconds;

sys_seconds to_sys(const DATIM& dt) {
    using namespace std::chrono;
    const sys_days d =
        year_month_day{year{dt[YEAR]}, month{static_cast<unsigned>(dt[MONTH])}, day{static_cast<unsigned>(dt[DAY])}};
    return d + hours{dt[HOUR]} + minutes{dt[MINUTE]} + seconds{dt[SECOND]};
}

DATIM from_sys(sys_seconds t) {
    using namespace std::chrono;
    const sys_days d = floor<days>(t);
    const year_month_day ymd{d};
    const hh_mm_ss hms{t - d};
    return {static_cast<std::int16_t>(static_cast<int>(ymd.year())),
            static_cast<std::int16_t>(static_cast<unsigned>(ymd.month())),
            static_cast<std::int16_t>(static_cast<unsigned>(ymd.day())),
            static_cast<std::int16_t>(hms.hours().count()),
            static_cast<std::int16_t>(hms.minutes().count()),
            static_cast<std::int16_t>(hms.seconds().count())};
}

// The split of a step in seconds that the prediction loop makes.
void step(DATIM& dt, int istep, MONLEN& monlen) {
    const auto minstp = static_cast<std::int16_t>(istep / 60);
    const auto secstp = static_cast<std::int16_t>(istep - 60 * minstp);
    ADDTIM(dt, minstp, secstp, monlen);
}

MONLEN table_for(std::int16_t year) {
    MONLEN m;
    MONTAB(DATIM{year, 1, 1, 0, 0, 0}, m);
    return m;
}

// Every month but February as long as in the real calendar, February 29
// days in every year divisible by 4 (1900 and 2100 too), and the year as
// long as the model's seconds from its 1 January to the next.  One table
// is reloaded year after year, so every load replaces all twelve entries.
TEST(MONTAB, MonthLengthsByTheRealCalendarAndTheEveryFourthYearRule) {
    using namespace std::chrono;
    const auto new_year = [](int y) { return DATIM{static_cast<std::int16_t>(y), 1, 1, 0, 0, 0}; };
    MONLEN m = table_for(1899);
    for (int y = 1900; y <= 2204; ++y) {
        MONTAB(DATIM{static_cast<std::int16_t>(y), 6, 30, 0, 0, 0}, m);
        int days = 0;
        for (unsigned month = 1; month <= 12; ++month) {
            const auto real =
                static_cast<int>(static_cast<unsigned>(year_month_day_last{year{y} / month / last}.day()));
            EXPECT_EQ(m(static_cast<int>(month)), month == 2 ? (y % 4 == 0 ? 29 : 28) : real) << y << "-" << month;
            days += m(static_cast<int>(month));
        }
        if (y < MODEL_FIRST_YEAR) continue;  // the model's seconds start in 1901
        EXPECT_EQ(days * SECONDS_PER_DAY_WHOLE, model_seconds(new_year(y + 1)) - model_seconds(new_year(y))) << y;
    }
}

struct StepCase {
    DATIM from;
    int istep;
    DATIM to;
    std::int16_t february_after;
};

TEST(ADDTIM, DescribedCarriesAndBorrows) {
    const StepCase cases[] = {
        {{1996, 2, 28, 23, 59, 30}, 60, {1996, 2, 29, 0, 0, 30}, 29},
        {{1995, 2, 28, 23, 59, 30}, 60, {1995, 3, 1, 0, 0, 30}, 28},
        {{1995, 12, 31, 23, 59, 0}, 60, {1996, 1, 1, 0, 0, 0}, 29},
        {{2100, 2, 28, 23, 30, 0}, 3600, {2100, 2, 29, 0, 30, 0}, 29},
        {{1995, 6, 30, 23, 30, 0}, 7200, {1995, 7, 1, 1, 30, 0}, 28},
        {{1995, 1, 1, 20, 0, 0}, 32767, {1995, 1, 2, 5, 6, 7}, 28},
        {{1996, 1, 1, 0, 0, 10}, -30, {1995, 12, 31, 23, 59, 40}, 28},
        {{1996, 3, 1, 0, 0, 30}, -90, {1996, 2, 29, 23, 59, 0}, 29},
        {{1995, 5, 17, 13, 45, 12}, 0, {1995, 5, 17, 13, 45, 12}, 28},
        {{1995, 5, 17, 13, 45, 12}, 59, {1995, 5, 17, 13, 46, 11}, 28},
        {{1995, 5, 17, 13, 45, 12}, -59, {1995, 5, 17, 13, 44, 13}, 28},
        {{1995, 5, 17, 13, 59, 59}, 1, {1995, 5, 17, 14, 0, 0}, 28},
        {{1995, 4, 30, 23, 59, 59}, 1, {1995, 5, 1, 0, 0, 0}, 28},
        {{1995, 5, 1, 0, 0, 0}, -1, {1995, 4, 30, 23, 59, 59}, 28},
        {{1995, 5, 1, 0, 0, 0}, -3599, {1995, 4, 30, 23, 0, 1}, 28},
        // Steps back of an hour or more are fully normalised.
        {{1995, 5, 1, 0, 0, 0}, -3600, {1995, 4, 30, 23, 0, 0}, 28},
        {{1996, 1, 1, 0, 30, 0}, -3600, {1995, 12, 31, 23, 30, 0}, 28},
        {{1996, 3, 1, 1, 0, 0}, -7200, {1996, 2, 29, 23, 0, 0}, 29},
        {{1995, 1, 2, 5, 6, 7}, -32767, {1995, 1, 1, 20, 0, 0}, 28},
        {{1997, 1, 1, 2, 0, 0}, -32767, {1996, 12, 31, 16, 53, 53}, 29},
    };
    for (const StepCase& c : cases) {
        MONLEN m = table_for(c.from[YEAR]);
        DATIM dt = c.from;
        step(dt, c.istep, m);
        EXPECT_EQ(dt, c.to) << "from " << c.from[YEAR] << "-" << c.from[MONTH] << "-" << c.from[DAY] << " step "
                            << c.istep;
        EXPECT_EQ(m(2), c.february_after) << "step " << c.istep;
    }
}

// Random instants from 1902 to 2098 keep every walk inside 1901-2099, where
// the table's leap rule agrees with the Gregorian one.
TEST(ADDTIM, WalksAgreeWithChronoAndRetraceTheirSteps) {
    std::mt19937 rng(20240611);
    const sys_seconds lo = to_sys({1902, 1, 1, 0, 0, 0});
    const sys_seconds hi = to_sys({2098, 1, 1, 0, 0, 0});
    std::uniform_int_distribution<long long> start_dist(lo.time_since_epoch().count(), hi.time_since_epoch().count());
    std::uniform_int_distribution<int> step_dist(1, 32767);
    std::uniform_int_distribution<int> small_dist(1, 3600);
    std::uniform_int_distribution<int> count_dist(1, 400);

    for (int walk = 0; walk < 400; ++walk) {
        const sys_seconds t0{std::chrono::seconds{start_dist(rng)}};
        int istep = walk % 2 == 0 ? step_dist(rng) : small_dist(rng);
        if (walk % 4 >= 2) istep = -istep;
        const int n = count_dist(rng);

        const DATIM start = from_sys(t0);
        MONLEN m = table_for(start[YEAR]);
        DATIM dt = start;
        for (int i = 1; i <= n; ++i) {
            step(dt, istep, m);
            ASSERT_NO_THROW(check_date(dt, [](int) { return std::string("walk"); }))
                << "walk " << walk << " step " << i;
            ASSERT_EQ(m.days, table_for(dt[YEAR]).days) << "walk " << walk << " step " << i;
        }
        ASSERT_EQ(to_sys(dt), t0 + std::chrono::seconds{static_cast<long long>(n) * istep})
            << "walk " << walk << " step " << istep << " x " << n;
        // The same end in day-long strides.
        ASSERT_EQ(after_steps(start, n, static_cast<std::int16_t>(istep)), dt) << "walk " << walk;
        for (int i = 1; i <= n; ++i) step(dt, -istep, m);
        ASSERT_EQ(dt, start) << "walk " << walk << " step " << istep << " x " << n;
    }
}

TEST(ADDTIM, OneSecondStepsVisitEverySecondOfALeapDay) {
    MONLEN m = table_for(2024);
    DATIM dt{2024, 2, 28, 23, 59, 59};
    sys_seconds t = to_sys(dt);
    for (int i = 0; i < 2 * 86400; ++i) {
        step(dt, 1, m);
        t += std::chrono::seconds{1};
        ASSERT_EQ(dt, from_sys(t));
    }
}

}  // namespace
}  // namespace talik
