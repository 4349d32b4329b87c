// Tests of JULDAT: day numbers against std::chrono over the whole supported
// range, and the sidereal angle against a second expression of it.
#include <chrono>
#include <cmath>
#include <cstdint>

#include <gtest/gtest.h>

#include "time/juldat.hpp"

namespace talik {
namespace {

// Julian day number of the noon of 1970-01-01, the day count's origin.
constexpr long JD_UNIX_NOON = 2440588;

double chrono_jdn(std::chrono::sys_days d) { return static_cast<double>(d.time_since_epoch().count() + JD_UNIX_NOON); }

TEST(JULDAT, DayNumberOfEveryDateFrom1901To9999) {
    using namespace std::chrono;
    const sys_days first = year{1901} / January / 1;
    const sys_days last = year{9999} / December / 31;
    for (sys_days d = first; d <= last; d += days{1}) {
        const year_month_day ymd{d};
        const DATIM dt{static_cast<std::int16_t>(static_cast<int>(ymd.year())),
                       static_cast<std::int16_t>(static_cast<unsigned>(ymd.month())),
                       static_cast<std::int16_t>(static_cast<unsigned>(ymd.day())),
                       0,
                       0,
                       0};
        double jdn = 0.0;
        Single gst;
        JULDAT(jdn, gst, dt);
        ASSERT_EQ(jdn, chrono_jdn(d)) << dt[YEAR] << "-" << dt[MONTH] << "-" << dt[DAY];
    }
}

TEST(JULDAT, DescribedDayNumbers) {
    struct Case {
        DATIM dt;
        double jdn;
    };
    const Case cases[] = {
        {{1901, 1, 1, 0, 0, 0}, 2415386.0},
        {{2000, 1, 1, 12, 0, 0}, 2451545.0},
        {{1996, 3, 1, 0, 0, 0}, 2450144.0},
        {{2000, 3, 1, 0, 0, 0}, 2451605.0},
        {{2100, 3, 1, 0, 0, 0}, 2488129.0},
        {{1995, 6, 15, 0, 0, 0}, 2449884.0},
        {{1995, 6, 15, 23, 59, 59}, 2449884.0},
        // Before 1901 the truncating divisions are right only for some years.
        {{1899, 12, 31, 0, 0, 0}, 2415020.0},
        {{1900, 3, 1, 0, 0, 0}, 2415080.0},
        {{1897, 1, 1, 0, 0, 0}, 2413925.0},
    };
    for (const Case& c : cases) {
        double jdn = 0.0;
        Single gst;
        JULDAT(jdn, gst, c.dt);
        EXPECT_EQ(jdn, c.jdn) << c.dt[YEAR] << "-" << c.dt[MONTH] << "-" << c.dt[DAY];
    }
}

TEST(JULDAT, DescribedSiderealAngles) {
    double jdn = 0.0;
    Single gst;
    JULDAT(jdn, gst, DATIM{1901, 1, 1, 0, 0, 0});
    EXPECT_NEAR(gst, 99.9451, 5e-5);
    JULDAT(jdn, gst, DATIM{2000, 1, 1, 12, 0, 0});
    EXPECT_NEAR(gst, 280.4603, 5e-5);
}

// Greenwich mean sidereal time in degrees by the later expression in
// seconds of time from J2000; over 1901-2099 it differs from the 1900-based
// one by well under 0.001 degree.
double gmst_j2000(double jd0h, double ut_seconds) {
    const double tu = (jd0h - 2451545.0) / 36525.0;
    const double s0 = 24110.54841 + (8640184.812866 + (0.093104 - 6.2e-6 * tu) * tu) * tu;
    const double s = s0 + 1.00273790935 * ut_seconds;
    double deg = std::fmod(s / 240.0, 360.0);
    if (deg < 0.0) deg += 360.0;
    return deg;
}

TEST(JULDAT, SiderealAngleAgreesWithASecondExpression) {
    for (int year = 1901; year <= 2099; year += 7) {
        for (int month = 1; month <= 12; month += 5) {
            for (int hour = 0; hour < 24; hour += 5) {
                const DATIM dt{static_cast<std::int16_t>(year),
                               static_cast<std::int16_t>(month),
                               13,
                               static_cast<std::int16_t>(hour),
                               37,
                               41};
                double jdn = 0.0;
                Single gst;
                JULDAT(jdn, gst, dt);
                ASSERT_GE(gst, 0.0);
                ASSERT_LT(gst, 360.0);
                const double want = gmst_j2000(jdn - 0.5, hour * 3600.0 + 37 * 60.0 + 41.0);
                double diff = std::fabs(gst - want);
                diff = std::min(diff, 360.0 - diff);
                EXPECT_LT(diff, 2e-3) << year << "-" << month << " " << hour << "h";
            }
        }
    }
}

TEST(JULDAT, TimeOfDayMovesOnlyTheSiderealAngle) {
    double jdn0 = 0.0;
    Single gst0;
    JULDAT(jdn0, gst0, DATIM{2024, 7, 1, 0, 0, 0});
    for (int minute = 1; minute < 1440; minute += 37) {
        const DATIM dt{2024, 7, 1, static_cast<std::int16_t>(minute / 60), static_cast<std::int16_t>(minute % 60), 0};
        double jdn = 0.0;
        Single gst;
        JULDAT(jdn, gst, dt);
        EXPECT_EQ(jdn, jdn0);
        const double advance = std::fmod(gst - gst0 + 720.0, 360.0);
        EXPECT_NEAR(advance, std::fmod(0.25068447 * minute, 360.0), 1e-4) << minute;
    }
}

}  // namespace
}  // namespace talik
