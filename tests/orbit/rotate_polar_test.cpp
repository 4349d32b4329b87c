// Tests of ROTATE and POLAR against plain matrix products and round trips
// through spherical coordinates.
#include <array>
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "orbit/polar.hpp"
#include "orbit/rotate.hpp"

namespace talik {
namespace {

constexpr double PI = 3.14159265358979323846;

using Mat = std::array<std::array<double, 3>, 3>;

Mat mul(const Mat& a, const Mat& b) {
    Mat c{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k) c[i][j] += a[i][k] * b[k][j];
    return c;
}

// Turns by +t about z and about x.
Mat rz(double t) { return {{{std::cos(t), -std::sin(t), 0.0}, {std::sin(t), std::cos(t), 0.0}, {0.0, 0.0, 1.0}}}; }
Mat rx(double t) { return {{{1.0, 0.0, 0.0}, {0.0, std::cos(t), -std::sin(t)}, {0.0, std::sin(t), std::cos(t)}}}; }

double norm(const Vec3& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

// One operation in double, its result forced through memory; a store to a
// single, likewise.
double op(double x) {
    volatile double kept = x;
    return kept;
}
double stored(double x) {
    volatile float kept = static_cast<float>(x);
    return kept;
}

TEST(ROTATE, ZeroAnglesLeaveTheVectorAlone) {
    const Vec3 V = {Single(1.5), Single(-2.25), Single(7000.125)};
    Vec3 W;
    ROTATE(V, 0.0, 0.0, 0.0, W);
    EXPECT_EQ(W, V);
}

TEST(ROTATE, QuarterTurnOfTheInclination) {
    Vec3 W;
    ROTATE(Vec3{Single(0.0), Single(1.0), Single(0.0)}, 0.0, 0.0, 1.5707964, W);
    EXPECT_EQ(W[0], 0.0);
    EXPECT_NEAR(W[1], 0.0, 1e-7);
    EXPECT_EQ(W[2], 1.0);
}

TEST(ROTATE, AgreesWithTheMatrixProductAndKeepsTheLength) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> angle(-7.0, 7.0);
    std::uniform_real_distribution<double> comp(-8000.0, 8000.0);
    for (int i = 0; i < 20000; ++i) {
        const Single argp = angle(rng), node = angle(rng), incl = angle(rng);
        const Vec3 V = {Single(comp(rng)), Single(comp(rng)), Single(i % 3 == 0 ? 0.0 : comp(rng))};
        Vec3 W;
        ROTATE(V, argp, node, incl, W);
        const Mat m = mul(rz(node), mul(rx(incl), rz(argp)));
        const double len = norm(V);
        for (int r = 0; r < 3; ++r) {
            const double want = m[r][0] * V[0] + m[r][1] * V[1] + m[r][2] * V[2];
            ASSERT_NEAR(W[static_cast<std::size_t>(r)], want, 4e-7 * len) << i << " row " << r;
        }
        ASSERT_NEAR(norm(W), len, 4e-7 * len);

        // The same result when the output overwrites the input.
        Vec3 same = V;
        ROTATE(same, argp, node, incl, same);
        ASSERT_EQ(same, W);
    }
}

// Every single that ROTATE stores is rounded to float, every operation is
// done in double, in the release build too, where the routine is inlined
// into this test and the optimiser could pack neighbouring stores together.
TEST(ROTATE, RoundsAtEveryStoreBitForBit) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> angle(-7.0F, 7.0F);
    std::uniform_real_distribution<float> comp(-8000.0F, 8000.0F);
    int wrong = 0;
    for (int i = 0; i < 20000; ++i) {
        const float a = angle(rng), n = angle(rng), c = angle(rng);  // argp, node, incl
        const Vec3 V = {Single(comp(rng)), Single(comp(rng)), Single(i % 2 == 0 ? 0.0F : comp(rng))};
        Vec3 W{};
        ROTATE(V, a, n, c, W);

        const double ca = stored(std::cos(double{a})), sa = stored(std::sin(double{a}));
        const double cn = stored(std::cos(double{n})), sn = stored(std::sin(double{n}));
        const double ci = stored(std::cos(double{c})), si = stored(std::sin(double{c}));
        const double x = stored(op(op(V[0] * ca) - op(V[1] * sa)));
        const double y = stored(op(op(V[0] * sa) + op(V[1] * ca)));
        const double tilted = op(op(y * ci) - op(V[2] * si));
        const float w0 = static_cast<float>(op(op(x * cn) - op(tilted * sn)));
        const float w1 = static_cast<float>(op(op(tilted * cn) + op(x * sn)));
        const float w2 = static_cast<float>(op(op(V[2] * ci) + op(y * si)));
        wrong += (W[0].f() != w0) + (W[1].f() != w1) + (W[2].f() != w2);
    }
    EXPECT_EQ(wrong, 0);
}

TEST(POLAR, DescribedCases) {
    struct Case {
        Vec3 v;
        double r, decl, ra;
    };
    const Single PIH = 1.5707964;
    const Case cases[] = {
        {{Single(0.0), Single(0.0), Single(0.0)}, 0.0, -PIH, 0.0},
        {{Single(0.0), Single(0.0), Single(5.0)}, 5.0, PIH, 0.0},
        {{Single(0.0), Single(0.0), Single(-3.0)}, 3.0, -PIH, 0.0},
        {{Single(1e-11), Single(-1e-11), Single(2.0)}, 2.0, PIH, 0.0},
        {{Single(1.0), Single(0.0), Single(0.0)}, 1.0, 0.0, 0.0},
        {{Single(1.0), Single(-0.0), Single(0.0)}, 1.0, 0.0, 0.0},
        {{Single(-1.0), Single(0.0), Single(0.0)}, 1.0, 0.0, Single(3.1415927)},
        {{Single(0.0), Single(1.0), Single(0.0)}, 1.0, 0.0, PIH},
        {{Single(0.0), Single(-1.0), Single(0.0)}, 1.0, 0.0, Single(4.712389)},
        {{Single(1.0e-11), Single(1.0), Single(0.0)}, 1.0, 0.0, PIH},
        {{Single(-4.0e-11), Single(-2.0), Single(0.0)}, 2.0, 0.0, Single(4.712389)},
        {{Single(3.0), Single(4.0), Single(0.0)}, 5.0, 0.0, Single(std::atan(4.0 / 3.0))},
    };
    for (const Case& c : cases) {
        Single decl = 99.0, ra = 99.0, r = 99.0;
        POLAR(c.v, decl, ra, r);
        EXPECT_EQ(r, Single(c.r)) << c.v[0] << " " << c.v[1] << " " << c.v[2];
        EXPECT_EQ(decl, Single(c.decl)) << c.v[0] << " " << c.v[1] << " " << c.v[2];
        EXPECT_EQ(ra, Single(c.ra)) << c.v[0] << " " << c.v[1] << " " << c.v[2];
    }
}

TEST(POLAR, RoundTripInEveryQuadrant) {
    for (double r : {1.0, 6878.0}) {
        for (double decl_deg : {-89.5, -60.0, -1.0, 0.0, 0.5, 45.0, 89.0}) {
            for (double ra_deg = 0.0; ra_deg < 360.0; ra_deg += 7.5) {
                const double d = decl_deg * PI / 180.0, a = ra_deg * PI / 180.0;
                const Vec3 v = {Single(r * std::cos(d) * std::cos(a)), Single(r * std::cos(d) * std::sin(a)),
                                Single(r * std::sin(d))};
                Single decl, ra, rr;
                POLAR(v, decl, ra, rr);
                EXPECT_NEAR(rr, r, 2e-7 * r);
                EXPECT_NEAR(decl, d, 2e-6);
                ASSERT_GE(ra, 0.0);
                ASSERT_LT(ra, 6.2831855);
                double diff = std::fabs(ra - a);
                diff = std::fmin(diff, 2.0 * PI - diff);
                EXPECT_LT(diff, 2e-6 / std::cos(d)) << decl_deg << " " << ra_deg;
            }
        }
    }
}

}  // namespace
}  // namespace talik
