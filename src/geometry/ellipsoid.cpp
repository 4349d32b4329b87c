// ellipsoid_site, ellipsoid_look, SiteLook::elevation_deg,
// SiteLook::azimuth_deg - a site on an ellipsoid and what it sees of a
// satellite, in double.
//
// Given:    e          Ellipsoid      equatorial radius (km) and flattening
//           lat_deg    double         geodetic latitude, degrees
//           lon_deg    double         east longitude, degrees
//           height_km  double         height above the ellipsoid, km
//           site       EllipsoidSite  the site (ellipsoid_look)
//           pos        Vec3           the satellite, equatorial (true of
//                                     date), km
//           gst_deg    double         Greenwich sidereal angle, degrees
// Returned: (value)    EllipsoidSite  the site's Earth-fixed position (km)
//                                     and its unit vectors east, north and up
//           (value)    SiteLook       range (km), sine of the elevation, and
//                                     the line of sight's east, north and up
//                                     components (km)
//           (value)    double         elevation, degrees; azimuth from north
//                                     through east, degrees, 0 to 360
//
// Notes:
//  - The equatorial position turns into the Earth-fixed frame by the
//    sidereal angle about the polar axis: the sub-satellite longitude is
//    the right ascension less the sidereal angle.
//  - The elevation is measured from the plane normal to the ellipsoid
//    (geodetic), not from the plane normal to the radius.  It and the
//    azimuth are worked out only when asked for.
#include "geometry/ellipsoid.hpp"
#include "numeric/constants.hpp"

#include <cmath>
#include <numbers>

namespace talik {

namespace {

double dot(const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

}  // namespace

EllipsoidSite ellipsoid_site(const Ellipsoid& e, double lat_deg, double lon_deg, double height_km) {
    const double phi = lat_deg * DEGRAD_DOUBLE;
    const double lam = lon_deg * DEGRAD_DOUBLE;
    const double e2 = e.f * (2.0 - e.f);
    const double sp = std::sin(phi);
    const double cp = std::cos(phi);
    const double sl = std::sin(lam);
    const double cl = std::cos(lam);
    // Radius of curvature in the prime vertical.
    const double n = e.a / std::sqrt(1.0 - e2 * sp * sp);
    EllipsoidSite s{};
    s.pos[0] = (n + height_km) * cp * cl;
    s.pos[1] = (n + height_km) * cp * sl;
    s.pos[2] = (n * (1.0 - e2) + height_km) * sp;
    s.east[0] = -sl;
    s.east[1] = cl;
    s.east[2] = 0.0;
    s.north[0] = -sp * cl;
    s.north[1] = -sp * sl;
    s.north[2] = cp;
    s.up[0] = cp * cl;
    s.up[1] = cp * sl;
    s.up[2] = sp;
    return s;
}

SiteLook ellipsoid_look(const EllipsoidSite& site, const Vec3& pos, double gst_deg) {
    const double g = gst_deg * DEGRAD_DOUBLE;
    const double cg = std::cos(g);
    const double sg = std::sin(g);
    const double fixed[3] = {pos[0] * cg + pos[1] * sg, -pos[0] * sg + pos[1] * cg, pos[2]};
    const double d[3] = {fixed[0] - site.pos[0], fixed[1] - site.pos[1], fixed[2] - site.pos[2]};
    SiteLook look{};
    look.range_km = std::sqrt(dot(d, d));
    look.east = dot(d, site.east);
    look.north = dot(d, site.north);
    look.up = dot(d, site.up);
    look.sin_elevation = look.up / look.range_km;
    return look;
}

double SiteLook::elevation_deg() const {
    return std::asin(std::fmax(-1.0, std::fmin(1.0, sin_elevation))) / DEGRAD_DOUBLE;
}

double SiteLook::azimuth_deg() const {
    const double az = std::atan2(east, north) / DEGRAD_DOUBLE;
    return az < 0.0 ? az + 360.0 : az;
}

}  // namespace talik
