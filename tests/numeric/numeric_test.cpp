// The stored-single type (every store rounds to float, every formula is
// evaluated in double) and the intrinsics.  That the roundings survive the
// optimiser in real code is checked on ROTATE (tests/orbit).

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "numeric/single.hpp"
#include "numeric/intrinsics.hpp"

namespace talik {
namespace {

TEST(Single, StoresRoundAndFormulasRunInDouble) {
    const Single third = 1.0 / 3.0;
    EXPECT_EQ(third.f(), 1.0F / 3.0F);
    // 16777217 is not a float; the sum is formed in double before the store.
    const Single big = 16777216.0;
    const Single one = 1.0;
    EXPECT_EQ(Single(big + one - big).f(), 1.0F);
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
            const double candidates[] = {
                wide(rng), k, std::nextafter(k, 0.0), std::nextafter(k, 1e300), static_cast<float>(wide(rng) / 1000.0),
                -k};
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
