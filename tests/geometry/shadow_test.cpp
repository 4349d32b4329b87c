// SHADOW: worked cases, the cylinder's edge, and a vector cross-check.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geometry/shadow.hpp"

namespace talik {
namespace {

struct Case {
    float x, y, z, sdec, sra;
    int lit;
};

TEST(Shadow, WorkedCases) {
    constexpr float HALF_PI_SINGLE = 1.5707964F;
    const Case cases[] = {
        {-7000, 0, 0, 0, 0, 0},     // behind the Earth on the axis
        {-7000, 6500, 0, 0, 0, 1},  // behind, but outside the cylinder
        {7000, 0, 0, 0, 0, 1},      // on the Sun's side
        {1, 0, 0, 0, 0, 1},         // Sun's side however close to the axis
        {-7000, 6378, 0, 0, 0, 0},  // just inside the cylinder
        {-7000, 0, -6378.3F, 0, 0, 1},
        {0, 0, 0, 0, 0, 0},                   // the centre: on the plane, distance 0
        {0, -7000, 0, 0, HALF_PI_SINGLE, 0},  // Sun at 6 h
        {0, 7000, 0, 0, HALF_PI_SINGLE, 1},
        {0, 0, -7000, HALF_PI_SINGLE, 0, 0},  // Sun over the north pole
        {6000, 0, -7000, HALF_PI_SINGLE, 0, 0},
        {6400, 0, -7000, HALF_PI_SINGLE, 0, 1},
        {0, 0, 7000, -HALF_PI_SINGLE, 2.0F, 0},
        {-5000, -5000, 0, 0, 0.7853982F, 0},  // Sun at 3 h, point on the far side
        {5000, 5000, 0, 0, 0.7853982F, 1},
    };
    for (const auto& c : cases) {
        std::int16_t lit = -1;
        SHADOW(Vec3{c.x, c.y, c.z}, c.sdec, c.sra, lit);
        EXPECT_EQ(lit, c.lit) << c.x << " " << c.y << " " << c.z << " sun " << c.sdec << " " << c.sra;
    }
}

TEST(Shadow, DistanceOfExactlyTheRadiusIsLit) {
    // With the Sun at (0, 0) a point just behind the terminator plane on the
    // polar axis lies at its third component from the Earth-Sun line.
    const float edge = 6378.142F;
    std::int16_t lit = -1;
    SHADOW(Vec3{-1e-3F, 0.0F, edge}, 0.0, 0.0, lit);
    EXPECT_EQ(lit, 1);
    SHADOW(Vec3{-1e-3F, 0.0F, std::nextafter(edge, 0.0F)}, 0.0, 0.0, lit);
    EXPECT_EQ(lit, 0);
}

TEST(Shadow, AgreesWithTheCylinderByVectors) {
    std::mt19937 rng(31);
    std::uniform_real_distribution<double> upos(-12000.0, 12000.0);
    std::uniform_real_distribution<double> ura(0.0, 6.2831853);
    std::uniform_real_distribution<double> usin(-0.4, 0.4);
    int shadowed = 0;
    int checked = 0;
    for (int i = 0; i < 20000; ++i) {
        const Single sra = ura(rng), sdec = std::asin(usin(rng));
        const Vec3 pos{upos(rng), upos(rng), upos(rng)};
        const double s[3] = {std::cos(sdec) * std::cos(sra), std::cos(sdec) * std::sin(sra), std::sin(sdec)};
        const double along = pos[0] * s[0] + pos[1] * s[1] + pos[2] * s[2];
        double off2 = 0.0;
        for (int k = 0; k < 3; ++k) off2 += std::pow(pos[k] - along * s[k], 2);
        const double off = std::sqrt(off2);
        // Keep away from the two boundaries, where rounding decides.
        if (std::fabs(along) < 0.5 || std::fabs(off - 6378.142) < 0.5) continue;
        const int want = (along > 0.0 || off >= 6378.142) ? 1 : 0;
        std::int16_t lit = -1;
        SHADOW(pos, sdec, sra, lit);
        EXPECT_EQ(lit, want) << i;
        shadowed += want == 0;
        ++checked;
    }
    EXPECT_GT(shadowed, 500);
    EXPECT_GT(checked, 19000);
}

}  // namespace
}  // namespace talik
