// The ellipsoid's view against the stations' spherical trigonometry (the
// same geometry with no flattening) and against the definition of height.

#include <gtest/gtest.h>

#include <cmath>

#include "numeric/constants.hpp"
#include "geometry/ellipsoid.hpp"
#include "predict/look_angles.hpp"
#include "predict/station.hpp"

namespace talik {
namespace {

constexpr double RAD = 3.14159265358979323846 / 180.0;

Vec3 equatorial(double r, double decl_deg, double ra_deg) {
    return {r * std::cos(decl_deg * RAD) * std::cos(ra_deg * RAD),
            r * std::cos(decl_deg * RAD) * std::sin(ra_deg * RAD), r * std::sin(decl_deg * RAD)};
}

TEST(Ellipsoid, WithoutFlatteningIsTheSphere) {
    const Ellipsoid sphere{EARTH_RADIUS, 0.0};
    struct Case {
        double lat, lon, r, decl, ra, gst;
    };
    const Case cases[] = {{40.4, 356.32, 6878.0, 31.2, 80.0, 100.0},
                          {-69.0, 39.585, 7200.0, -60.0, 300.0, 250.0},
                          {0.0, 0.0, 42164.0, 0.0, 20.0, 10.0},
                          {64.9, 213.2, 6900.0, 70.0, 190.0, 0.0},
                          {34.0, 241.7, 26560.0, 20.0, 280.0, 30.0}};
    for (const Case& c : cases) {
        const Vec3 pos = equatorial(c.r, c.decl, c.ra);
        const SiteLook mine = ellipsoid_look(ellipsoid_site(sphere, c.lat, c.lon, 0.0), pos, c.gst);
        const Station st = site_station("s", c.lat, c.lon);
        const Single glon = std::fmod(c.ra - c.gst + 360.0, 360.0) * RAD;
        const Look theirs = look_angles(st, std::sqrt(pos[0] * pos[0] + pos[1] * pos[1] + pos[2] * pos[2]),
                                        std::asin(pos[2] / c.r), glon);
        ASSERT_TRUE(theirs.above_horizon) << c.lat;
        EXPECT_NEAR(mine.sin_elevation, -theirs.CZ, 2e-5) << c.lat;
        EXPECT_NEAR(mine.elevation_deg(), theirs.ELEV, 3e-3) << c.lat;
        EXPECT_NEAR(std::remainder(mine.azimuth_deg() - theirs.AZIM, 360.0), 0.0, 3e-3) << c.lat;
        EXPECT_NEAR(mine.range_km, theirs.RANGE, 5e-3 * c.r / 6878.0) << c.lat;
    }
}

TEST(Ellipsoid, HeightIsAlongTheNormal) {
    // A point h above the site along its normal is at the zenith, h away;
    // the site itself lies at its height above the foot on the ellipsoid.
    for (const double lat : {-89.0, -45.0, 0.0, 30.0, 67.878, 90.0}) {
        const EllipsoidSite foot = ellipsoid_site(WGS84, lat, 21.0, 0.0);
        const EllipsoidSite site = ellipsoid_site(WGS84, lat, 21.0, 1.5);
        double step = 0.0;
        for (int i = 0; i < 3; ++i) step += std::pow(site.pos[i] - foot.pos[i] - 1.5 * foot.up[i], 2);
        EXPECT_NEAR(std::sqrt(step), 0.0, 1e-9) << lat;
        // At GST 0 the Earth-fixed and equatorial frames agree.
        const Vec3 above = {foot.pos[0] + 500.0 * foot.up[0], foot.pos[1] + 500.0 * foot.up[1],
                            foot.pos[2] + 500.0 * foot.up[2]};
        const SiteLook look = ellipsoid_look(foot, above, 0.0);
        EXPECT_NEAR(look.elevation_deg(), 90.0, 1e-3) << lat;
        EXPECT_NEAR(look.range_km, 500.0, 1e-3) << lat;
    }
    EXPECT_NEAR(ellipsoid_site(WGS84, 90.0, 0.0, 0.0).pos[2], WGS84.a * (1.0 - WGS84.f), 1e-9);
    EXPECT_NEAR(ellipsoid_site(WGS84, 0.0, 90.0, 0.0).pos[1], WGS84.a, 1e-9);
}

}  // namespace
}  // namespace talik
