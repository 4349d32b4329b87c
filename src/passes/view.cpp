// View - an object seen from a site at one whole second.
//
// Notes:
//  - A station's sample is talik's step: in a pass when visible() (pre-
//    filter passed, strictly above the horizon).  Where the pre-filter
//    says no, the look angles still give the elevation, to find where the
//    pre-filter cuts a pass and to follow the elevation between steps.
//  - A site on the sphere is a station examined always; it is in a pass at
//    or above its minimum elevation.
//  - A site on the ellipsoid uses the point's position and sidereal angle;
//    the Sun's marks come from the same site on the sphere (its antenna mark
//    only where that sphere's horizon shows the satellite).
//  - The antenna mark is the sign of ASPECT's ALAT, whose sine is the
//    scalar product of the line of sight and the anti-solar direction
//    (aspect.cpp); that product, worked out directly, decides it wherever
//    it is further from 0 than ANTENNA_COSINE_SLACK, far beyond ASPECT's
//    single-precision rounding, and ASPECT itself elsewhere.
//  - The look angles are predict_step's calls on the object's shared point;
//    the latitude (for a latitude pre-filter) and the Sun (for a sample in
//    a pass) are worked out only where they are read.
#include "passes/view.hpp"

#include <cmath>
#include <numbers>

#include "numeric/constants.hpp"
#include "predict/look_angles.hpp"

namespace talik {

namespace {

// The rounding allowed on the cosine of the angle between the line of
// sight and the Sun before ASPECT is asked (dimensionless).
constexpr double ANTENNA_COSINE_SLACK = 1.0E-3;

}  // namespace

Station station_of(const Site& site) {
    if (site.kind == SiteKind::Station) return prepare_station(site.station);
    return site_station(site.name, site.lat_deg, site.lon_deg);
}

View::View(const Site& site, ObjectOrbit& orbit) : site_(site), orbit_(orbit), station_(station_of(site)) {
    if (site.kind == SiteKind::Ellipsoid) {
        ellipsoid_ = ellipsoid_site(WGS84, site.lat_deg, site.lon_deg, site.height_km);
    }
    if (site.kind != SiteKind::Station) min_sin_ = std::sin(site.min_elevation_deg * DEGRAD_DOUBLE);
}

Sample View::at(OrbitPoint& p) {
    Sample s;
    s.t = p.t;
    const Single GLONR = p.GLON * DEGRAD;
    Look look;
    switch (site_.kind) {
    case SiteKind::Station: {
        const bool by_latitude = station_.filter == StationFilter::North20 || station_.filter == StationFilter::South20;
        s.filter_margin = filter_margin(station_, by_latitude ? orbit_.latitude(p) : p.GLAT, p.GLON);
        s.filter_ok = s.filter_margin >= 0.0;
        look = look_angles(station_, p.R, p.DECL, GLONR);
        s.sin_el = -look.CZ;
        s.range_km = look.RANGE;
        s.in = s.filter_ok && look.MARK2 != "  ";
        s.az_deg = s.filter_ok ? look.AZIM : Look{}.AZIM;
        break;
    }
    case SiteKind::Sphere:
        look = look_angles(station_, p.R, p.DECL, GLONR);
        s.sin_el = -look.CZ;
        s.in = s.sin_el >= min_sin_ && look.above_horizon;
        s.az_deg = look.AZIM;
        s.range_km = look.RANGE;
        break;
    case SiteKind::Ellipsoid: {
        const SiteLook site_look = ellipsoid_look(ellipsoid_, p.POS, p.GST);
        s.sin_el = site_look.sin_elevation;
        s.in = s.sin_el >= min_sin_;
        if (s.in) {
            s.az_deg = site_look.azimuth_deg();
            look = look_angles(station_, p.R, p.DECL, GLONR);
        }
        s.range_km = site_look.range_km;
        break;
    }
    }
    s.GLAT = p.GLAT;
    if (s.in) {
        s.lit = orbit_.lit(p);
        if (look.above_horizon) s.antenna = antenna(p, look);
    }
    return s;
}

char View::antenna(OrbitPoint& p, const Look& look) {
    const SunPlace& sun = orbit_.sun(p);
    const double lst = (station_.STLON + p.GST) * DEGRAD_DOUBLE;
    const double los[3] = {p.POS[0] - EARTH_RADIUS * station_.STCLAT * std::cos(lst),
                           p.POS[1] - EARTH_RADIUS * station_.STCLAT * std::sin(lst),
                           p.POS[2] - EARTH_RADIUS * station_.STSLAT};
    const double sun_dec = sun.SDEC;
    const double sun_ra = sun.SRA;
    const double toward_sun = (los[0] * std::cos(sun_dec) * std::cos(sun_ra) +
                               los[1] * std::cos(sun_dec) * std::sin(sun_ra) + los[2] * std::sin(sun_dec)) /
                              std::sqrt(los[0] * los[0] + los[1] * los[1] + los[2] * los[2]);
    if (std::fabs(toward_sun) > ANTENNA_COSINE_SLACK) return toward_sun > 0.0 ? 'A' : 'B';
    return antisolar_latitude(station_, look, p.GST, sun, frame_) < 0.0 ? 'A' : 'B';
}

double View::above_min_deg(const Sample& s) const {
    const double el = std::asin(std::fmax(-1.0, std::fmin(1.0, s.sin_el))) / DEGRAD_DOUBLE;
    return el - (site_.kind == SiteKind::Station ? 0.0 : site_.min_elevation_deg);
}

}  // namespace talik
