// The stored-single type: every store rounds to float, every formula is
// evaluated in double, whatever the optimiser does with inlined code.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "numeric/single.hpp"
#include "numeric/intrinsics.hpp"

namespace talik {
namespace {

// A rotation written the way the orbit code writes it; inlined into its
// caller, the compiler sees stores and reloads of neighbouring singles that
// it may be tempted to pack together.
inline void turn(const Vec3& V, Single ARGP, Single NODE, Single INCL, Vec3& W) {
    const Single CN = std::cos(NODE);
    const Single SN = std::sin(NODE);
    const Single CI = std::cos(INCL);
    const Single SI = std::sin(INCL);
    const Single CA = std::cos(ARGP);
    const Single SA = std::sin(ARGP);
    const Single X = V[0] * CA - V[1] * SA;
    const Single Y = V[0] * SA + V[1] * CA;
    W[0] = X * CN - (Y * CI - V[2] * SI) * SN;
    W[1] = (Y * CI - V[2] * SI) * CN + X * SN;
    W[2] = V[2] * CI + Y * SI;
}

// Kept out of line, as the propagator's body is.
[[gnu::noinline]] void turn_scaled(Single R, Single NU, Single ARGP, Single NODE, Single INCL, Vec3& W) {
    const Vec3 V = {R * std::cos(NU), R * std::sin(NU), Single(0.0)};
    turn(V, ARGP, NODE, INCL, W);
}

// The same arithmetic with every intermediate forced through memory.
double forced(double x) {
    volatile double kept = x;
    return kept;
}
double stored(double x) {
    volatile float kept = static_cast<float>(x);
    return kept;
}

TEST(Single, StoresRoundAndFormulasRunInDouble) {
    const Single third = 1.0 / 3.0;
    EXPECT_EQ(third.f(), 1.0F / 3.0F);
    // 16777217 is not a float; the sum is formed in double before the store.
    const Single big = 16777216.0;
    const Single one = 1.0;
    EXPECT_EQ(Single(big + one - big).f(), 1.0F);
}

TEST(Single, RoundingSurvivesInlining) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> angle(0.0F, 6.28F);
    std::uniform_real_distribution<float> radius(6000.0F, 8000.0F);
    int wrong = 0;
    for (int i = 0; i < 20000; ++i) {
        const float r = radius(rng), nu = angle(rng), a = angle(rng), b = angle(rng), c = angle(rng);  // argp, node, incl
        Vec3 W{};
        turn_scaled(r, nu, a, b, c, W);

        const double ca = stored(std::cos(double{a})), sa = stored(std::sin(double{a}));
        const double cb = stored(std::cos(double{b})), sb = stored(std::sin(double{b}));
        const double cc = stored(std::cos(double{c})), sc = stored(std::sin(double{c}));
        const double v0 = stored(forced(double{r} * std::cos(double{nu})));
        const double v1 = stored(forced(double{r} * std::sin(double{nu})));
        const double x = stored(forced(forced(v0 * ca) - forced(v1 * sa)));
        const double y = stored(forced(forced(v0 * sa) + forced(v1 * ca)));
        const double inner = forced(forced(y * cc) - forced(0.0 * sc));
        const float w0 = static_cast<float>(forced(forced(x * cb) - forced(inner * sb)));
        const float w1 = static_cast<float>(forced(forced(inner * cb) + forced(x * sb)));
        const float w2 = static_cast<float>(forced(forced(0.0 * cc) + forced(y * sc)));  // b: node, c: incl
        wrong += (W[0].f() != w0) + (W[1].f() != w1) + (W[2].f() != w2);
    }
    EXPECT_EQ(wrong, 0);
}

TEST(Single, Intrinsics) {
    EXPECT_EQ(MOD(7.5, 2.0), 1.5);
    EXPECT_EQ(MOD(-7.5, 2.0), -1.5);  // the sign of the dividend
    EXPECT_EQ(IMOD<int>(-7, 10), -7);
    EXPECT_EQ(INT(-2.9), -2);
    EXPECT_EQ(INT(2.9), 2);
    EXPECT_EQ(SIGN(3.0, -0.0), 3.0);  // a zero of either sign counts as positive
    EXPECT_EQ(SIGN(3.0, -1.0), -3.0);
    EXPECT_EQ(SIGN(-3.0, 0.0), 3.0);  // zero counts as positive
    EXPECT_EQ(SIGN(-3.0, 1.0), 3.0);
}

}  // namespace
}  // namespace talik

namespace talik {
namespace {

bool same_bits(double x, double y) { return std::memcmp(&x, &y, sizeof x) == 0; }

// MOD is std::fmod, bit for bit, including signed zeros and the quotients
// that round up past an integer.
TEST(Single, ModIsTheTruncatingRemainderBitForBit) {
    std::mt19937_64 rng(11);
    const double divisors[] = {360.0, 6.2831854820251465, 10.0, 1.0, 0.017453292, 86400.0, -360.0, 3.0};
    std::uniform_real_distribution<double> wide(-2.0e7, 2.0e7);
    std::uniform_int_distribution<int> turns(-100000, 100000);
    long mismatches = 0;
    for (double b : divisors) {
        for (int i = 0; i < 200000; ++i) {
            // Plain values, exact multiples and their neighbours, and floats.
            const double k = turns(rng) * b;
            const double candidates[] = {wide(rng), k, std::nextafter(k, 0.0), std::nextafter(k, 1e300),
                                         static_cast<float>(wide(rng) / 1000.0), -k};
            for (double a : candidates) {
                mismatches += !same_bits(MOD(a, b), std::fmod(a, b));
            }
        }
        for (double a : {0.0, -0.0, b, -b, 2.0 * b, -2.0 * b, 1e300, -1e-300, 5e-324, 1e17}) {
            mismatches += !same_bits(MOD(a, b), std::fmod(a, b));
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_TRUE(std::isnan(MOD(1.0, 0.0)));
    EXPECT_TRUE(std::isnan(MOD(std::numeric_limits<double>::infinity(), 360.0)));
}

}  // namespace
}  // namespace talik
