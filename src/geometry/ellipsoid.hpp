// ellipsoid.hpp - a site on an ellipsoid of revolution and what it sees of
// a satellite, with plain vectors.
#pragma once

#include "numeric/single.hpp"
#include "numeric/constants.hpp"

namespace talik {

struct Ellipsoid {
    double a;  // equatorial radius, km
    double f;  // flattening
};

// WGS-84: 6378.137 km, 1/298.257223563.
inline constexpr Ellipsoid WGS84{WGS84_A, WGS84_F};

// A site at geodetic latitude and longitude (degrees) and height (km) above
// the ellipsoid: its Earth-fixed position (km) and the unit vectors east,
// north and up (the ellipsoid's normal).
struct EllipsoidSite {
    double pos[3];
    double east[3];
    double north[3];
    double up[3];
};

EllipsoidSite ellipsoid_site(const Ellipsoid& e, double lat_deg, double lon_deg, double height_km);

// What the site sees of a satellite at equatorial position pos (km) when the
// Greenwich sidereal angle is gst_deg: the range (km), the sine of the
// elevation, and the line of sight's east, north and up components (km),
// from which the elevation and azimuth are worked out only when asked for.
struct SiteLook {
    double range_km;
    double sin_elevation;
    double east, north, up;

    double elevation_deg() const;
    // From north through east, 0 to 360.
    double azimuth_deg() const;
};

SiteLook ellipsoid_look(const EllipsoidSite& site, const Vec3& pos, double gst_deg);

}  // namespace talik
