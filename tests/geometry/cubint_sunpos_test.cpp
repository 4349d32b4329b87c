// CUBINT and SUNPOS on made-up tables whose values are known everywhere.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "geometry/cubint.hpp"
#include "geometry/sunpos.hpp"

namespace talik {
namespace {

using Table = std::array<Single, 50>;

// A table holding f(P) of a cubic in P at the nodes -3, -1, 1, 3 about N.
struct Cubic {
    double a, b, c, d;
    double operator()(double p) const { return ((a * p + b) * p + c) * p + d; }
};

TEST(Cubint, ReproducesCubicsExactly) {
    const Cubic cubics[] = {{0, 0, 0, 5}, {0, 0, 2, -1}, {0, 3, -1, 7}, {1, 0, 0, 0}, {-2, 5, 3, 11}, {4, -7, -6, 100}};
    for (const auto& f : cubics) {
        for (std::int16_t n : {2, 5, 20, 44, 48}) {
            Table tab{};
            tab[n - 2] = f(-3);
            tab[n - 1] = f(-1);
            tab[n] = f(1);
            tab[n + 1] = f(3);
            for (int q = -12; q <= 12; ++q) {
                const double p = q / 4.0;
                EXPECT_EQ(CUBINT(tab, p, n).f(), static_cast<float>(f(p))) << "N " << n << " P " << p;
            }
        }
    }
}

TEST(Cubint, NodesAndMidpoint) {
    std::mt19937 rng(8);
    std::uniform_real_distribution<double> u(-10.0, 10.0);
    for (int i = 0; i < 200; ++i) {
        Table tab{};
        for (auto& t : tab) t = u(rng);
        const auto n = static_cast<std::int16_t>(2 + i % 44);
        const double y0 = tab[n - 2], y1 = tab[n - 1], y2 = tab[n], y3 = tab[n + 1];
        EXPECT_NEAR(CUBINT(tab, -1.0, n), y1, 1e-5);
        EXPECT_NEAR(CUBINT(tab, 1.0, n), y2, 1e-5);
        EXPECT_NEAR(CUBINT(tab, -3.0, n), y0, 1e-4);
        EXPECT_NEAR(CUBINT(tab, 3.0, n), y3, 1e-4);
        EXPECT_EQ(CUBINT(tab, 0.0, n).f(), Single((9.0 * (y1 + y2) - (y0 + y3)) / 16.0).f());
    }
}

TEST(Cubint, IndexOutsideTheTableIsClamped) {
    Table tab{};
    for (std::size_t i = 0; i < tab.size(); ++i) tab[i] = static_cast<double>(i * i);
    EXPECT_EQ(CUBINT(tab, 0.3, 1).f(), CUBINT(tab, 0.3, 2).f());
    EXPECT_EQ(CUBINT(tab, 0.3, -7).f(), CUBINT(tab, 0.3, 2).f());
    EXPECT_EQ(CUBINT(tab, 0.3, 49).f(), CUBINT(tab, 0.3, 48).f());
    EXPECT_EQ(CUBINT(tab, 0.3, 30000).f(), CUBINT(tab, 0.3, 48).f());
}

// A table whose entries follow g(day) on the days of entries 1..46, with the
// never-written entries 47..50 poisoned.
constexpr double ORIGIN = 2451545.0;
SUNCOM table_of(double (*g)(double), double (*h)(double)) {
    SUNCOM s;
    s.TABDT = DATIM{2000, 1, 1, 0, 0, 0};
    s.TABJDN = ORIGIN;
    for (int i = 1; i <= 46; ++i) {
        const double day = -40.0 + 10.0 * (i - 1);
        s.SUNDEC[static_cast<std::size_t>(i - 1)] = g(day);
        s.SUNRA[static_cast<std::size_t>(i - 1)] = h(day);
    }
    for (std::size_t i = 46; i < 50; ++i) {
        s.SUNDEC[i] = std::numeric_limits<double>::quiet_NaN();
        s.SUNRA[i] = std::numeric_limits<double>::quiet_NaN();
    }
    return s;
}
double cubic_dec(double day) { return 0.3 + 1e-3 * day - 2e-6 * day * day + 3e-9 * day * day * day; }
double linear_ra(double day) { return 4.0 + 0.0172 * day; }

DATIM at(int h, int m, int s) {
    return DATIM{2000, 1, 1, static_cast<std::int16_t>(h), static_cast<std::int16_t>(m), static_cast<std::int16_t>(s)};
}

TEST(Sunpos, WorkedPositions) {
    const SUNCOM s = table_of(cubic_dec, linear_ra);
    struct Case {
        int k, h;
        std::int16_t n;
        float p;
    };
    const Case cases[] = {{0, 0, 5, -1.0F},   {5, 12, 5, 0.1F},  {-5, 0, 5, -2.0F},  {-39, 0, 2, -2.8F},
                          {399, 0, 44, 0.8F}, {10, 0, 6, -1.0F}, {-10, 0, 4, -1.0F}, {-11, 12, 4, -1.1F}};
    for (const auto& c : cases) {
        Single sdec, sra;
        SUNPOS(ORIGIN + c.k, at(c.h, 0, 0), sdec, sra, s);
        EXPECT_EQ(sdec.f(), CUBINT(s.SUNDEC, c.p, c.n).f()) << "K " << c.k;
        Single want_ra = CUBINT(s.SUNRA, c.p, c.n);
        if (want_ra > 6.2831855F) want_ra = want_ra - Single(6.2831855F);
        EXPECT_EQ(sra.f(), want_ra.f()) << "K " << c.k;
    }
    // Entry 5 is the origin day.
    Single sdec, sra;
    SUNPOS(ORIGIN, at(0, 0, 0), sdec, sra, s);
    EXPECT_EQ(sdec.f(), s.SUNDEC[4].f());
}

TEST(Sunpos, FollowsTheTablesFunctionThroughoutTheWindow) {
    const SUNCOM s = table_of(cubic_dec, linear_ra);
    for (int k = SUN_FIRST_DAY; k <= SUN_LAST_DAY; ++k) {
        for (const auto& t : {at(0, 0, 0), at(6, 30, 15), at(12, 0, 0), at(23, 59, 59)}) {
            const double day = k + (t[HOUR] * 3600.0 + t[MINUTE] * 60.0 + t[SECOND]) / 86400.0;
            Single sdec, sra;
            SUNPOS(ORIGIN + k, t, sdec, sra, s);
            EXPECT_NEAR(sdec, cubic_dec(day), 2e-6) << k;
            EXPECT_NEAR(sra, std::fmod(linear_ra(day), 6.2831855), 3e-6) << k;
            EXPECT_GE(sra, 0.0);
            EXPECT_LE(sra, 6.2831855);
        }
    }
}

TEST(Sunpos, RightAscensionWrapsSmoothlyAtTwoPi) {
    const SUNCOM s = table_of(cubic_dec, linear_ra);
    // linear_ra passes 2 pi near day 132.
    Single prev_dec, prev_ra;
    SUNPOS(ORIGIN + 130, at(0, 0, 0), prev_dec, prev_ra, s);
    int wraps = 0;
    for (int k = 130; k < 136; ++k) {
        for (int h = 0; h < 24; ++h) {
            for (int m = 0; m < 60; m += 10) {
                Single sdec, sra;
                SUNPOS(ORIGIN + k, at(h, m, 0), sdec, sra, s);
                double step = sra - prev_ra;
                if (step < -6.0) {
                    step += 6.2831855;
                    ++wraps;
                }
                EXPECT_GE(step, 0.0) << k << " " << h << ":" << m;
                EXPECT_LT(step, 2e-4) << k << " " << h << ":" << m;
                prev_ra = sra;
            }
        }
    }
    EXPECT_EQ(wraps, 1);
}

TEST(Sunpos, ReadsOnlyFilledEntriesAtAndBeyondTheWindow) {
    const SUNCOM s = table_of(cubic_dec, linear_ra);
    struct Case {
        double k;
        DATIM t;
        double want_day;
    };
    const Case cases[] = {
        {-39, at(0, 0, 0), -39.0},    {399, at(23, 59, 59), 399.0 + 86399.0 / 86400.0},
        {-40, at(0, 0, 0), -40.0},  // entry 1 itself
        {-40, at(12, 0, 0), -39.5},   {400, at(0, 0, 0), 400.0},
        {409, at(18, 0, 0), 409.75},  {410, at(0, 0, 0), 410.0},  // entry 46 itself
        {-41, at(0, 0, 0), -40.0},                                // held at entry 1
        {-5000, at(3, 0, 0), -40.0},  {-1e9, at(3, 0, 0), -40.0},
        {410, at(0, 0, 1), 410.0},  // held at entry 46
        {100000, at(3, 0, 0), 410.0}, {1e9, at(3, 0, 0), 410.0},
    };
    for (const auto& c : cases) {
        Single sdec, sra;
        SUNPOS(ORIGIN + c.k, c.t, sdec, sra, s);
        ASSERT_FALSE(std::isnan(sdec.f()) || std::isnan(sra.f())) << c.k;
        EXPECT_NEAR(sdec, cubic_dec(c.want_day), 2e-6) << c.k;
        EXPECT_NEAR(sra, std::fmod(linear_ra(c.want_day), 6.2831855), 3e-6) << c.k;
    }
    Single sdec, sra;
    SUNPOS(std::numeric_limits<double>::quiet_NaN(), at(0, 0, 0), sdec, sra, s);
    EXPECT_NEAR(sdec, s.SUNDEC[0], 1e-6);
}

}  // namespace
}  // namespace talik
