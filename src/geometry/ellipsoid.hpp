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

// A site on the ellipsoid: its Earth-fixed position (km) and the unit
// vectors east, north and up (the ellipsoid's normal).
struct EllipsoidSite {
    double pos[3];
    double east[3];
    double north[3];
    double up[3];
};

// The site at geodetic latitude and longitude (degrees) and height (km).
EllipsoidSite ellipsoid_site(const Ellipsoid& e, double lat_deg, double lon_deg, double height_km);

// What a site sees of a satellite.
struct SiteLook {
    double range_km;
    double sin_elevation;
    double east, north, up;  // the line of sight's components, km

    double elevation_deg() const;
    // From north through east, 0 to 360.
    double azimuth_deg() const;
};

// What the site sees of a satellite at equatorial position pos (km).
SiteLook ellipsoid_look(const EllipsoidSite& site, const Vec3& pos, double gst_deg);

}  // namespace talik
