// ASPECT against plain vectors: station on a sphere, azimuth and elevation to
// a unit vector in the local frame, turned by the sidereal angle to the equator.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geometry/aspect.hpp"
#include "sphere.hpp"

namespace talik {
namespace {

using namespace testing_sphere;

struct Geometry {
    V up, north, east, los;
};

// Local frame of the station at sidereal angle gst, line of sight at (az, el).
Geometry geometry(double az, double el, double gst, double stlat, double stlon) {
    const double lst = stlon + gst;
    Geometry g;
    g.up = unit(lst, stlat);
    g.north = unit(lst, stlat + 90.0);
    g.east = unit(lst + 90.0, 0.0);
    const double ce = std::cos(el * DEG_EXACT), se = std::sin(el * DEG_EXACT);
    const double ca = std::cos(az * DEG_EXACT), sa = std::sin(az * DEG_EXACT);
    g.los = add(add(scale(g.north, ce * ca), scale(g.east, ce * sa)), scale(g.up, se));
    return g;
}

// Latitude of d about the line of sight and its position angle: 0 towards the
// nadir, right-handed about the line of sight.
void by_vectors(const Geometry& g, V d, double& alat, double& pa) {
    alat = std::asin(std::fmax(-1.0, std::fmin(1.0, dot(g.los, d)))) / DEG_EXACT;
    const V nadir{-g.up.x, -g.up.y, -g.up.z};
    const V e0 = norm(add(nadir, scale(g.los, -dot(nadir, g.los))));
    const V e90 = cross(g.los, e0);
    pa = std::atan2(dot(d, e90), dot(d, e0)) / DEG_EXACT;
}

// SPHROT snaps a longitude to 180 when w is below 1e-6, which moves a point
// lying within about 0.1 degree of the half circle from a frame's pole over
// the old north pole.  In ASPECT that is a line of sight next to the
// station's meridian (moving the line of sight, hence ALAT and PA), or a
// direction next to the great circle through the line of sight and the
// celestial pole (moving PA only).  Those geometries get the looser bound.
TEST(Aspect, AgreesWithVectorsOverRandomGeometries) {
    std::mt19937 rng(2024);
    std::uniform_real_distribution<double> u360(0.0, 360.0);
    std::uniform_real_distribution<double> uel(0.0, 89.5);
    std::uniform_real_distribution<double> ulat(-80.0, 80.0);
    SphrotFrame frame;
    const double band = std::sin(1.0 * DEG_EXACT);
    int alat_checked = 0;
    int pa_checked = 0;
    for (int i = 0; i < 5000; ++i) {
        const Single az = u360(rng), el = uel(rng), gst = u360(rng), stlat = ulat(rng), stlon = u360(rng);
        const Single ra = u360(rng), dec = std::asin(2.0 * u360(rng) / 360.0 - 1.0) / DEG_EXACT;
        Single pa, alat;
        ASPECT(az, el, gst, ra, dec, pa, alat, stlat, stlon, frame);
        ASSERT_FALSE(std::isnan(pa.f()) || std::isnan(alat.f())) << i;
        const Geometry g = geometry(az, el, gst, stlat, stlon);
        const V d = unit(ra, dec);
        double walat = 0, wpa = 0;
        by_vectors(g, d, walat, wpa);
        EXPECT_GT(pa, 0.0);
        EXPECT_LE(pa, 360.0);
        EXPECT_NEAR(alat, walat, 0.15) << i;

        const bool los_near_meridian = std::fabs(std::cos(el * DEG_EXACT) * std::sin(az * DEG_EXACT)) < band;
        const V across = norm(cross(g.los, V{0, 0, 1}));
        const bool dir_near_pole_circle = std::fabs(dot(across, d)) < band;
        if (los_near_meridian) continue;
        EXPECT_NEAR(alat, walat, 0.01) << i;
        ++alat_checked;
        // PA is also ill-conditioned next to the line of sight, its antipode and the zenith.
        if (!dir_near_pole_circle && std::fabs(walat) < 80.0 && el < 85.0) {
            EXPECT_NEAR(ang_diff(pa, wpa), 0.0, 0.01) << i;
            ++pa_checked;
        }
    }
    EXPECT_GT(alat_checked, 4800);
    EXPECT_GT(pa_checked, 4000);
}

TEST(Aspect, LineOfSightAndItsAntipode) {
    const float cases[][5] = {
        // az, el, gst, stlat, stlon
        {30, 40, 100, 36.517F, 138.317F}, {200, 10, 300, 67.878F, 21.064F}, {350, 75, 12.5F, -69.0008F, 39.585F},
        {90, 0, 0, 40.4F, 356.32F},       {270, 5, 250, 34.03F, 241.717F},
    };
    for (const auto& c : cases) {
        const Geometry g = geometry(c[0], c[1], c[2], c[3], c[4]);
        SphrotFrame frame;
        Single pa, alat;
        ASPECT(c[0], c[1], c[2], lon_of(g.los), lat_of(g.los), pa, alat, c[3], c[4], frame);
        EXPECT_NEAR(alat, 90.0, 0.02) << c[0] << " " << c[1];
        const V anti = scale(g.los, -1.0);
        ASPECT(c[0], c[1], c[2], lon_of(anti), lat_of(anti), pa, alat, c[3], c[4], frame);
        EXPECT_NEAR(alat, -90.0, 0.02) << c[0] << " " << c[1];
    }
}

TEST(Aspect, ZenithAsTheDirectionIsAtPa180AndLatitudeEl) {
    const float cases[][5] = {
        {30, 40, 100, 36.517F, 138.317F}, {200, 10, 300, 67.878F, 21.064F}, {350, 75, 12.5F, -69.0008F, 39.585F},
        {90, 0.5F, 0, 40.4F, 356.32F},    {271, 88, 250, 34.03F, 241.717F},
    };
    for (const auto& c : cases) {
        SphrotFrame frame;
        Single pa, alat;
        const Single lst = std::fmod(c[4] + c[2], 360.0F);
        ASPECT(c[0], c[1], c[2], lst, c[3], pa, alat, c[3], c[4], frame);
        EXPECT_NEAR(ang_diff(pa, 180.0), 0.0, 2e-3) << c[0] << " " << c[1];
        EXPECT_NEAR(alat, c[1], 2e-3) << c[0] << " " << c[1];
    }
}

TEST(Aspect, AtTheZenithNoNaNAndLatitudeAboutTheZenith) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> u360(0.0, 360.0);
    std::uniform_real_distribution<double> ulat(-80.0, 80.0);
    std::uniform_real_distribution<double> udec(-90.0, 90.0);
    SphrotFrame frame;
    for (int i = 0; i < 1000; ++i) {
        const Single az = u360(rng), gst = u360(rng), stlat = ulat(rng), stlon = u360(rng);
        const Single ra = u360(rng), dec = udec(rng);
        Single pa, alat;
        ASPECT(az, 90.0, gst, ra, dec, pa, alat, stlat, stlon, frame);
        ASSERT_FALSE(std::isnan(pa.f()) || std::isnan(alat.f())) << i;
        EXPECT_EQ(pa.f(), 180.0F);
        const V up = unit(stlon + gst, stlat);
        EXPECT_NEAR(alat, std::asin(dot(up, unit(ra, dec))) / DEG_EXACT, 0.01) << i;
    }
    // The zenith itself and the nadir.
    Single pa, alat;
    ASPECT(0.0, 90.0, 10.0, 30.0, 50.0, pa, alat, 50.0, 20.0, frame);
    EXPECT_NEAR(alat, 90.0, 1e-3);
    ASPECT(123.0, 90.0, 10.0, 210.0, -50.0, pa, alat, 50.0, 20.0, frame);
    EXPECT_NEAR(alat, -90.0, 1e-3);
}

TEST(Aspect, NextToTheZenithNoNaN) {
    SphrotFrame frame;
    for (float el : {89.9F, 89.999F, 89.99999F, std::nextafter(90.0F, 0.0F)}) {
        for (float az : {0.0F, 45.0F, 180.0F, 359.0F}) {
            for (float stlat : {0.5F, 36.517F, -69.0008F, 67.878F}) {
                Single pa, alat;
                ASPECT(az, el, 123.4F, 10.0F, 20.0F, pa, alat, stlat, 138.317F, frame);
                EXPECT_FALSE(std::isnan(pa.f()) || std::isnan(alat.f())) << el << " " << az << " " << stlat;
                EXPECT_LE(std::fabs(alat), 90.0);
            }
        }
    }
}

TEST(Aspect, KeepsNoStateBetweenCalls) {
    SphrotFrame fresh;
    SphrotFrame used;
    Single lon = 1.0F, lat = 2.0F;
    SPHROT(lon, lat, 77.0, -12.0, 33.0, used);
    Single pa1, alat1, pa2, alat2;
    ASPECT(120.0, 35.0, 250.0, 300.0, -20.0, pa1, alat1, 34.6F, 135.517F, fresh);
    ASPECT(120.0, 35.0, 250.0, 300.0, -20.0, pa2, alat2, 34.6F, 135.517F, used);
    EXPECT_EQ(pa1.f(), pa2.f());
    EXPECT_EQ(alat1.f(), alat2.f());
}

}  // namespace
}  // namespace talik
