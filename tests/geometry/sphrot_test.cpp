// Frame rotations: the worked meridian cases, the general case against plain
// vectors, the kept frame and SETFRM's reference direction.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geometry/setfrm.hpp"
#include "geometry/sphrot.hpp"
#include "sphere.hpp"

namespace talik {
namespace {

using namespace testing_sphere;

// The new frame built from vectors: longitude 0 leaves the pole away from the
// old north pole, longitudes grow counter-clockwise seen from outside.
void by_vectors(double lon, double lat, double plon, double plat, double rot, double& nlon, double& nlat) {
    const V p = unit(plon, plat);
    const V v = unit(lon, lat);
    const V zhat{0, 0, 1};
    const double zp = dot(zhat, p);
    const V north = norm({zhat.x - zp * p.x, zhat.y - zp * p.y, zhat.z - zp * p.z});
    const V e0{-north.x, -north.y, -north.z};
    const V e90 = cross(p, e0);
    nlat = std::asin(std::fmax(-1.0, std::fmin(1.0, dot(p, v)))) / DEG_EXACT;
    nlon = std::atan2(dot(v, e90), dot(v, e0)) / DEG_EXACT - rot;
}

struct Case {
    float lon, lat, plon, plat, rot;
    float want_lon, want_lat;
};

TEST(Sphrot, WorkedCases) {
    const Case cases[] = {
        // Meridian case, point on the pole's meridian: longitude 0 comes out as 360.
        {0.0F, 30.0F, 0.0F, 60.0F, 0.0F, 360.0F, 60.0F},
        // Opposite meridian, carried over the old north pole (k = 1 odd).
        {180.0F, 60.0F, 0.0F, 60.0F, 0.0F, 180.0F, 30.0F},
        // The pole itself, and its antipode.
        {0.0F, 60.0F, 0.0F, 60.0F, 0.0F, 360.0F, 90.0F},
        {180.0F, -60.0F, 0.0F, 60.0F, 0.0F, 360.0F, -90.0F},
        // An offset is subtracted from the longitude.
        {180.0F, 60.0F, 0.0F, 60.0F, 30.0F, 150.0F, 30.0F},
        {0.0F, 30.0F, 0.0F, 60.0F, -45.0F, 45.0F, 60.0F},
        // Point at the old north pole, off the meridian: w vanishes, longitude 180 - ROT.
        {45.0F, 90.0F, 0.0F, 60.0F, 0.0F, 180.0F, 60.0F},
        {45.0F, 90.0F, 0.0F, 60.0F, 30.0F, 150.0F, 60.0F},
        // Pole at the old north pole: longitude LON - PLON, latitude kept.
        {100.0F, 20.0F, 30.0F, 90.0F, 0.0F, 70.0F, 20.0F},
        {10.0F, -40.0F, 30.0F, 90.0F, 0.0F, 340.0F, -40.0F},
        {30.0F, 10.0F, 30.0F, 90.0F, 0.0F, 360.0F, 10.0F},
        {-350.0F, 5.0F, 1.0F, 90.0F, 0.0F, 9.0F, 5.0F},
        {720.0F, 5.0F, 1.0F, 90.0F, 0.0F, 359.0F, 5.0F},
    };
    for (const auto& c : cases) {
        SphrotFrame frame;
        Single lon = c.lon;
        Single lat = c.lat;
        SPHROT(lon, lat, c.plon, c.plat, c.rot, frame);
        SCOPED_TRACE(testing::Message() << "point (" << c.lon << ", " << c.lat << ") pole (" << c.plon << ", " << c.plat
                                        << ") rot " << c.rot);
        EXPECT_NEAR(lon, c.want_lon, 2e-4);
        EXPECT_NEAR(lat, c.want_lat, 2e-4);
        EXPECT_GT(lon, 0.0);
        EXPECT_LE(lon, 360.0);
    }
}

TEST(Sphrot, MeridianCaseAgreesWithGeneralCaseAHairOff) {
    struct Pt {
        float lon, lat, plon, plat;
    };
    const Pt pts[] = {{0, 30, 0, 60},    {180, 60, 0, 60},   {0, -80, 0, 60},   {180, -10, 0, 60},
                      {40, 10, 40, -30}, {220, 70, 40, -30}, {300, 89, 300, 5}, {120, -89, 300, 5}};
    for (const auto& p : pts) {
        SphrotFrame frame;
        Single lon0 = p.lon;
        Single lat0 = p.lat;
        SPHROT(lon0, lat0, p.plon, p.plat, 0.0, frame);
        for (double eps : {-1e-3, -2e-5, 2e-5, 1e-3}) {
            Single lon1 = p.lon + eps;
            Single lat1 = p.lat;
            SPHROT(lon1, lat1, p.plon, p.plat, 0.0, frame);
            SCOPED_TRACE(testing::Message() << "point (" << p.lon << ", " << p.lat << ") eps " << eps);
            EXPECT_NEAR(lat1, lat0, 2e-3);
            EXPECT_NEAR(ang_diff(lon1, lon0), 0.0, 2e-2);
        }
    }
}

TEST(Sphrot, JustBelowThePoleMeridianTakesTheGeneralCaseAndAgrees) {
    // d within 1e-6 below 0 gives k = -1, far from 180 k: the general case.
    SphrotFrame frame;
    Single lon = -1.0e-7F;
    Single lat = 30.0F;
    SPHROT(lon, lat, 0.0, 60.0, 0.0, frame);
    EXPECT_NEAR(ang_diff(lon, 360.0), 0.0, 1e-4);
    EXPECT_NEAR(lat, 60.0, 1e-4);
}

TEST(Sphrot, GeneralCaseAgreesWithVectors) {
    std::mt19937 rng(1234);
    std::uniform_real_distribution<double> ulon(-360.0, 720.0);
    std::uniform_real_distribution<double> ulat(-89.9, 89.9);
    std::uniform_real_distribution<double> urot(-400.0, 400.0);
    std::uniform_real_distribution<double> uplat(-88.0, 88.0);
    for (int i = 0; i < 3000; ++i) {
        const Single lon0 = ulon(rng), lat0 = ulat(rng), plon = ulon(rng), plat = uplat(rng), rot = urot(rng);
        SphrotFrame frame;
        Single lon = lon0;
        Single lat = lat0;
        SPHROT(lon, lat, plon, plat, rot, frame);
        double wlon = 0, wlat = 0;
        by_vectors(lon0, lat0, plon, plat, rot, wlon, wlat);
        ASSERT_FALSE(std::isnan(lon.f()) || std::isnan(lat.f()));
        EXPECT_NEAR(lat, wlat, 1e-3) << i;
        // The longitude is ill-defined right at the new poles.
        // The longitude is ill-defined right at the new poles.  Next to the
        // half circle at 180 a w below 1e-6 snaps the longitude to 180,
        // which can move it by up to about 0.08 / sqrt(cos lat) degrees.
        if (std::fabs(wlat) < 89.0) {
            const bool near_180 = std::fabs(ang_diff(wlon + static_cast<double>(rot), 180.0)) < 1.0;
            // Elsewhere the seven-digit D2R (1.4e-7 relative) is the limit,
            // magnified towards the new poles.
            const double tol = near_180 ? 0.1 / std::sqrt(std::cos(wlat * DEG_EXACT))
                                        : 3e-4 / std::cos(wlat * DEG_EXACT);
            EXPECT_NEAR(ang_diff(lon, wlon), 0.0, tol) << i;
        }
        EXPECT_GT(lon, 0.0);
        EXPECT_LE(lon, 360.0);
        EXPECT_LE(std::fabs(lat), 90.0);
    }
}

TEST(Sphrot, PointsAtAndNextToTheNewPoleGiveNoNaN) {
    std::mt19937 rng(77);
    std::uniform_real_distribution<double> u(-1e-4, 1e-4);
    std::uniform_real_distribution<double> ulon(0.0, 360.0);
    std::uniform_real_distribution<double> ulat(-89.0, 89.0);
    for (int i = 0; i < 2000; ++i) {
        const Single plon = ulon(rng), plat = ulat(rng);
        SphrotFrame frame;
        Single lon = plon + u(rng);
        Single lat = plat + u(rng);
        SPHROT(lon, lat, plon, plat, 0.0, frame);
        ASSERT_FALSE(std::isnan(lon.f()) || std::isnan(lat.f())) << i;
        EXPECT_NEAR(lat, 90.0, 1e-3) << i;
        // And the antipode.
        Single alon = plon + 180.0 + u(rng);
        Single alat = -plat + u(rng);
        SPHROT(alon, alat, 0.0, 0.0, 0.0, frame);
        ASSERT_FALSE(std::isnan(alon.f()) || std::isnan(alat.f())) << i;
        EXPECT_NEAR(alat, -90.0, 1e-3) << i;
    }
}

TEST(Sphrot, AllZeroCallUsesTheKeptFrame) {
    SphrotFrame frame;
    Single lon = 123.0F, lat = -17.0F;
    SPHROT(lon, lat, 40.0, 25.0, 10.0, frame);
    const SphrotFrame kept = frame;
    for (float plon : {0.0F, 100.0F, 250.0F}) {
        Single a = plon, b = 33.0F;
        SphrotFrame f1 = kept;
        SPHROT(a, b, 0.0, 0.0, 0.0, f1);
        Single c = plon, d = 33.0F;
        SphrotFrame f2;
        SPHROT(c, d, 40.0, 25.0, 10.0, f2);
        EXPECT_EQ(a.f(), c.f());
        EXPECT_EQ(b.f(), d.f());
    }
}

TEST(Sphrot, DefaultFrameIsTheIdentity) {
    const float pts[][2] = {{0, 0}, {0, 45}, {-30, 20}, {90, -89}, {359.5F, 10}, {360, 0}, {725, -5}, {180, 89}};
    for (const auto& p : pts) {
        SphrotFrame frame;
        Single lon = p[0], lat = p[1];
        SPHROT(lon, lat, 0.0, 0.0, 0.0, frame);
        double want = std::fmod(static_cast<double>(p[0]), 360.0);
        if (want <= 0.0) want += 360.0;
        // Within the rounding of the seven-digit D2R.
        EXPECT_NEAR(lon, want, 1e-4 + 2e-7 * std::fabs(p[0])) << p[0] << " " << p[1];
        EXPECT_NEAR(lat, p[1], 1e-4) << p[0] << " " << p[1];
    }
}

TEST(Setfrm, ReferenceDirectionLandsAtLongitudeZero) {
    std::mt19937 rng(99);
    std::uniform_real_distribution<double> ulon(0.0, 360.0);
    std::uniform_real_distribution<double> ulat(-85.0, 85.0);
    for (int i = 0; i < 1000; ++i) {
        const Single plon = ulon(rng), plat = ulat(rng), rlon = ulon(rng), rlat = ulat(rng);
        // A reference too near the pole has no usable longitude.
        if (std::fabs(dot(unit(plon, plat), unit(rlon, rlat))) > 0.999) continue;
        SphrotFrame frame;
        Single flon, flat, frot;
        SETFRM(plon, plat, rlon, rlat, flon, flat, frot, frame);
        EXPECT_EQ(flon.f(), plon.f());
        EXPECT_EQ(flat.f(), plat.f());
        EXPECT_GT(frot, 0.0);
        EXPECT_LE(frot, 360.0);
        EXPECT_EQ(frame.PLON, static_cast<double>(plon));
        EXPECT_EQ(frame.ROT, 0.0);
        Single lon = rlon, lat = rlat;
        SPHROT(lon, lat, flon, flat, frot, frame);
        EXPECT_NEAR(ang_diff(lon, 0.0), 0.0, 1e-3) << i;
        Single qlon = plon, qlat = plat;
        SPHROT(qlon, qlat, flon, flat, frot, frame);
        EXPECT_NEAR(qlat, 90.0, 1e-3) << i;
    }
}

TEST(Setfrm, PoleAtTheOriginKeepsThePreviousFrame) {
    SphrotFrame frame;
    Single lon = 10.0F, lat = 10.0F;
    SPHROT(lon, lat, 50.0, 40.0, 5.0, frame);
    Single flon, flat, frot;
    SETFRM(0.0, 0.0, 20.0, 30.0, flon, flat, frot, frame);
    EXPECT_EQ(frame.PLON, 50.0);
    EXPECT_EQ(frame.PLAT, 40.0);
    EXPECT_EQ(frame.ROT, 5.0);
}

}  // namespace
}  // namespace talik
