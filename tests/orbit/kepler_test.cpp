// Tests of KEPLER: the residual of Kepler's equation over many revolutions
// and eccentricities, against a bisection solution, and the message of an
// iteration that does not converge.
#include <cmath>
#include <cstdlib>
#include <string>

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
    Console console;
    for (double e : {0.0, 0.5, 0.99, 1.0, 5.0}) {
        Single EE = 3.0;
        KEPLER(0.0, e, EE, console);
        EXPECT_EQ(EE, 0.0);
    }
    EXPECT_EQ(console.captured(), "");
}

TEST(KEPLER, CircularOrbitReturnsTheMeanAnomaly) {
    Console console;
    for (double g : {1e-30, 0.25, -1.0, 3.1415927, 100.0, -12345.678, 1.0e6}) {
        Single EE;
        KEPLER(g, 0.0, EE, console);
        EXPECT_EQ(EE, Single(g));
    }
    EXPECT_EQ(console.captured(), "");
}

TEST(KEPLER, DescribedValue) {
    Console console;
    Single EE;
    KEPLER(1.0, 0.1, EE, console);
    EXPECT_NEAR(EE, 1.0886, 5e-5);
}

TEST(KEPLER, SolvesTheEquationOverManyRevolutions) {
    Console console;
    for (double e : {0.0, 1e-4, 0.02, 0.1, 0.3, 0.5, 0.7, 0.9}) {
        const Single ECC = e;
        for (double g = -2000.0; g <= 2000.0; g += 0.9173) {
            const Single G = g;
            Single EE;
            KEPLER(G, ECC, EE, console);
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
    EXPECT_EQ(console.captured(), "");
}

// The three numbers of the message, read back from their E15.6 fields.
struct Message {
    std::string record;
    double error = 0.0;
    double ee = 0.0;
    double g = 0.0;
};

Message parse(const std::string& record) {
    Message m;
    m.record = record;
    m.error = std::strtod(record.substr(40, 15).c_str(), nullptr);
    m.ee = std::strtod(record.substr(63, 15).c_str(), nullptr);
    m.g = std::strtod(record.substr(86, 15).c_str(), nullptr);
    return m;
}

TEST(KEPLER, NonConvergenceWritesOneRecordAndKeepsTheLastIterate) {
    // Near-parabolic orbits close to perigee throw Newton's iteration about.
    const Single G = -0.2325;
    const Single ECC = 0.97363;
    Console console;
    Single EE;
    KEPLER(G, ECC, EE, console);

    // The first record on the console shows without its blank control.
    const std::string record = " " + console.captured();
    ASSERT_EQ(record.size(), 101U) << record;
    EXPECT_EQ(record.substr(0, 40), " DID NOT CONVERGE (SUB. KEPLER)  ERROR =");
    EXPECT_EQ(record.substr(55, 8), "   EE = ");
    EXPECT_EQ(record.substr(78, 8), "  G  =  ");
    EXPECT_EQ(record.substr(86), "   -.232500E+00");
    const Message m = parse(record);
    EXPECT_NEAR(m.ee, EE, 5e-6 * std::fabs(EE));  // six digits
    EXPECT_GE(std::fabs(m.error), 1e-6);

    // Every failing call adds one record of its own.
    KEPLER(G, ECC, EE, console);
    EXPECT_EQ(console.captured(), record.substr(1) + "\r\n" + record.substr(1));
}

}  // namespace
}  // namespace talik
