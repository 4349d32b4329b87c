// Tests of KEPLER: the residual of Kepler's equation over many revolutions
// and eccentricities, against a bisection solution, and the status of an
// iteration that does not converge.
#include <cmath>

#include <gtest/gtest.h>

#include "orbit/kepler.hpp"

namespace talik {
namespace {

// Kepler's equation solved by bisection in double: E - e sin E is
// increasing in E and E lies within e of G.
double bisect(double G, double e) {
    double lo = G - e - 1e-9;
    double hi = G + e + 1e-9;
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (lo + hi);
        if (mid - e * std::sin(mid) < G) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    return 0.5 * (lo + hi);
}

TEST(KEPLER, ZeroMeanAnomalyGivesZeroAtOnce) {
    for (double e : {0.0, 0.5, 0.99, 1.0, 5.0}) {
        Single EE = 3.0;
        EXPECT_TRUE(KEPLER(0.0, e, EE).converged);
        EXPECT_EQ(EE, 0.0);
    }
}

TEST(KEPLER, CircularOrbitReturnsTheMeanAnomaly) {
    for (double g : {1e-30, 0.25, -1.0, 3.1415927, 100.0, -12345.678, 1.0e6}) {
        Single EE;
        EXPECT_TRUE(KEPLER(g, 0.0, EE).converged);
        EXPECT_EQ(EE, Single(g));
    }
}

TEST(KEPLER, DescribedValue) {
    Single EE;
    EXPECT_TRUE(KEPLER(1.0, 0.1, EE).converged);
    EXPECT_NEAR(EE, 1.0886, 5e-5);
}

TEST(KEPLER, SolvesTheEquationOverManyRevolutions) {
    for (double e : {0.0, 1e-4, 0.02, 0.1, 0.3, 0.5, 0.7, 0.9}) {
        const Single ECC = e;
        for (double g = -2000.0; g <= 2000.0; g += 0.9173) {
            const Single G = g;
            Single EE;
            ASSERT_TRUE(KEPLER(G, ECC, EE).converged) << "G " << g << " e " << e;
            // The test on the relative step loosens with |E|; single
            // rounding of E itself adds half a unit in the last place.
            const double scale = std::fmax(1.0, std::fabs(G));
            const double residual = std::fabs(EE - ECC * std::sin(EE) - G);
            ASSERT_LT(residual, 4e-6 * scale) << "G " << g << " e " << e;
            ASSERT_NEAR(EE, bisect(G, ECC), 4e-6 * scale) << "G " << g << " e " << e;
            // Same revolution and same sign as G.
            ASSERT_LE(std::fabs(EE - G), ECC + 1e-6 * scale);
            ASSERT_EQ(EE < 0.0, G < 0.0);
        }
    }
}

TEST(KEPLER, NonConvergenceKeepsTheLastIterateAndSaysSo) {
    // Near-parabolic orbits close to perigee throw Newton's iteration about.
    const Single G = -0.2325;
    const Single ECC = 0.97363;
    Single EE;
    const KeplerStatus status = KEPLER(G, ECC, EE);
    EXPECT_FALSE(status.converged);
    EXPECT_EQ(status.EE, EE);
    EXPECT_EQ(status.G, G);
    EXPECT_GE(std::fabs(status.ERROR), 1e-6);
    // The 20th iterate is no solution.
    EXPECT_GT(std::fabs(EE - ECC * std::sin(EE) - G), 1e-6);
}

}  // namespace
}  // namespace talik
