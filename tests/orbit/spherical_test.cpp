// Tests of ROTATE, POLAR and ARCANG against plain matrix products, round
// trips through spherical coordinates and the haversine formula.
#include <array>
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "orbit/arcang.hpp"
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

// Cosine and sine of the arc by the haversine formula.
void haversine(double lat1, double lat2, double dlon, double& c, double& s) {
    const double a = std::pow(std::sin((lat2 - lat1) / 2), 2) +
                     std::cos(lat1) * std::cos(lat2) * std::pow(std::sin(dlon / 2), 2);
    const double arc = 2.0 * std::atan2(std::sqrt(a), std::sqrt(1.0 - a));
    c = std::cos(arc);
    s = std::sin(arc);
}

TEST(ARCANG, AgreesWithTheHaversineFormula) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> lat(-PI / 2, PI / 2);
    std::uniform_real_distribution<double> lon(-2 * PI, 2 * PI);
    for (int i = 0; i < 20000; ++i) {
        const double lat1 = lat(rng), lat2 = lat(rng), dlon = lon(rng);
        Single carc, sarc;
        ARCANG(std::sin(lat1), std::sin(lat2), std::cos(lat1), std::cos(lat2), dlon, carc, sarc);
        double c, s;
        haversine(lat1, lat2, dlon, c, s);
        ASSERT_NEAR(carc, c, 3e-7) << i;
        ASSERT_LE(std::fabs(carc), 1.0);
        ASSERT_GE(sarc, 0.0);
        ASSERT_LE(sarc, 1.0);
        // The sine from 1 - cos^2 is coarse for small arcs.
        if (s > 0.05) {
            ASSERT_NEAR(sarc, s, 1e-5) << i;
        }
    }
}

TEST(ARCANG, IdenticalAntipodalAndQuarterArcs) {
    Single carc, sarc;
    ARCANG(0.0, 0.0, 1.0, 1.0, 3.1415927, carc, sarc);
    EXPECT_EQ(carc, -1.0);
    EXPECT_NEAR(sarc, 0.0, 1e-3);
    ARCANG(0.0, 0.0, 1.0, 1.0, 1.5707964, carc, sarc);
    EXPECT_NEAR(carc, 0.0, 1e-7);
    EXPECT_EQ(sarc, 1.0);
    // Rounding pushes the cosine of a point with itself past 1 for many
    // latitudes; it is limited, so the sine is 0 and never NaN.
    int limited = 0;
    for (double deg = -90.0; deg <= 90.0; deg += 0.01) {
        const Single s = std::sin(deg * PI / 180.0), c = std::cos(deg * PI / 180.0);
        if (std::fabs(static_cast<double>(s) * s + static_cast<double>(c) * c) > 1.0 + 6e-8) ++limited;
        ARCANG(s, s, c, c, 0.0, carc, sarc);
        ASSERT_LE(carc, 1.0) << deg;
        ASSERT_GE(carc, 1.0 - 2e-7) << deg;
        ASSERT_FALSE(std::isnan(static_cast<double>(sarc))) << deg;
        if (carc == 1.0) {
            ASSERT_EQ(sarc, 0.0);
        }
    }
    EXPECT_GT(limited, 0);
}

}  // namespace
}  // namespace talik
