// SUNTAB with SUNPOS against a textbook low-precision solar formula, and the
// shape of the table.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/sunpos.hpp"
#include "geometry/suntab.hpp"
#include "time/juldat.hpp"

namespace talik {
namespace {

constexpr double PI_EXACT = 3.14159265358979323846;
constexpr double DEG_EXACT = PI_EXACT / 180.0;

// The usual almanac formula (mean longitude, mean anomaly, equation of the
// centre; good to about 0.01 degree from 1950 to 2050) at Julian date jd.
void textbook_sun(double jd, double& dec, double& ra) {
    const double n = jd - 2451545.0;
    const double L = 280.460 + 0.9856474 * n;
    const double g = (357.528 + 0.9856003 * n) * DEG_EXACT;
    const double lambda = (L + 1.915 * std::sin(g) + 0.020 * std::sin(2.0 * g)) * DEG_EXACT;
    const double eps = (23.439 - 0.0000004 * n) * DEG_EXACT;
    ra = std::atan2(std::cos(eps) * std::sin(lambda), std::cos(lambda));
    if (ra < 0.0) ra += 2.0 * PI_EXACT;
    dec = std::asin(std::sin(eps) * std::sin(lambda));
}

double ang_diff(double a, double b) {
    double d = std::fmod(a - b, 2.0 * PI_EXACT);
    if (d > PI_EXACT) d -= 2.0 * PI_EXACT;
    if (d <= -PI_EXACT) d += 2.0 * PI_EXACT;
    return d;
}

TEST(Suntab, TableShape) {
    for (std::int16_t year : {1950, 1971, 1988, 1996, 2000, 2023, 2049, 2050}) {
        SUNCOM s;
        EXPECT_TRUE(SUNTAB(year, s).empty()) << year;
        EXPECT_EQ(s.TABDT, (DATIM{year, 1, 1, 0, 0, 0}));
        double jdn = 0.0;
        Single gst;
        JULDAT(jdn, gst, s.TABDT);
        EXPECT_EQ(s.TABJDN, jdn);
        EXPECT_GT(s.SUNRA[0], 4.0);
        EXPECT_LT(s.SUNRA[0], 4.5);
        EXPECT_GT(s.SUNRA[45], 2.0 * PI_EXACT + 5.5);
        EXPECT_LT(s.SUNRA[45], 2.0 * PI_EXACT + 6.0);
        for (std::size_t i = 1; i < 46; ++i) {
            // Ten days of the Sun's motion: 0.15 to 0.2 rad, never a wrap or a half turn.
            const double step = s.SUNRA[i] - s.SUNRA[i - 1];
            EXPECT_GT(step, 0.15) << year << " " << i;
            EXPECT_LT(step, 0.20) << year << " " << i;
            EXPECT_LE(std::fabs(s.SUNDEC[i]), 23.5 * DEG_EXACT);
        }
        for (std::size_t i = 46; i < 50; ++i) {
            EXPECT_EQ(s.SUNDEC[i].f(), 0.0F);
            EXPECT_EQ(s.SUNRA[i].f(), 0.0F);
        }
    }
}

TEST(Suntab, AgreesWithTheTextbookFormula) {
    double worst_dec = 0.0, worst_ra = 0.0;
    for (int year = 1950; year <= 2050; year += 3) {
        SUNCOM s;
        SUNTAB(static_cast<std::int16_t>(year), s);
        for (int k = SUN_FIRST_DAY; k <= SUN_LAST_DAY; k += 7) {
            const auto hour = static_cast<std::int16_t>((k + 40) % 24);
            const DATIM dt{static_cast<std::int16_t>(year), 1, 1, hour, 17, 30};
            Single sdec, sra;
            SUNPOS(s.TABJDN + k, dt, sdec, sra, s);
            double dec = 0, ra = 0;
            textbook_sun(s.TABJDN + k - 0.5 + (hour * 3600.0 + 17 * 60.0 + 30.0) / 86400.0, dec, ra);
            worst_dec = std::fmax(worst_dec, std::fabs(sdec - dec));
            worst_ra = std::fmax(worst_ra, std::fabs(ang_diff(sra, ra)));
            EXPECT_NEAR(sdec, dec, 0.02 * DEG_EXACT) << year << " day " << k;
            EXPECT_NEAR(ang_diff(sra, ra), 0.0, 0.02 * DEG_EXACT) << year << " day " << k;
            EXPECT_GE(sra, 0.0);
            EXPECT_LE(sra, 6.2831855);
        }
    }
    RecordProperty("worst_dec_deg", std::to_string(worst_dec / DEG_EXACT));
    RecordProperty("worst_ra_deg", std::to_string(worst_ra / DEG_EXACT));
}

TEST(Suntab, RightAscensionPassesTheMarchEquinoxSmoothly) {
    SUNCOM s;
    SUNTAB(2021, s);
    // From 15 to 25 March 2021 (days 73 to 83 of the year) every 20 minutes.
    Single prev_dec, prev_ra;
    SUNPOS(s.TABJDN + 73, DATIM{2021, 3, 15, 0, 0, 0}, prev_dec, prev_ra, s);
    EXPECT_GT(prev_ra, 6.0);
    int wraps = 0;
    for (int k = 73; k <= 83; ++k) {
        for (int m = 0; m < 1440; m += 20) {
            const DATIM dt{2021, 3, 1, static_cast<std::int16_t>(m / 60), static_cast<std::int16_t>(m % 60), 0};
            Single sdec, sra;
            SUNPOS(s.TABJDN + k, dt, sdec, sra, s);
            double step = sra - prev_ra;
            if (step < -6.0) {
                step += 6.2831855;
                ++wraps;
                EXPECT_LT(prev_ra, 6.2831855);
                EXPECT_LT(sra, 0.01);
            }
            // 20 minutes of the Sun's motion is about 2.5e-4 rad.
            EXPECT_GE(step, 0.0) << k << " " << m;
            EXPECT_LT(step, 4e-4) << k << " " << m;
            EXPECT_LT(std::fabs(sdec - prev_dec), 2e-4) << k << " " << m;
            prev_ra = sra;
            prev_dec = sdec;
        }
    }
    EXPECT_EQ(wraps, 1);
    EXPECT_LT(prev_ra, 0.1);
}

}  // namespace
}  // namespace talik
