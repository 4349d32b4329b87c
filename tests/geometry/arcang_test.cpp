// Tests of ARCANG against the haversine formula.
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "geometry/arcang.hpp"

namespace talik {
namespace {

constexpr double PI = 3.14159265358979323846;

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
