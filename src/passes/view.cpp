// station_of, View::View, View::at, View::above_min_deg, View::sky_at,
// View::sun_at - an object seen from a site at one whole second.
//
// Given:    site    Site          where it is seen from
//           orbit   ObjectOrbit   the object's orbit, shared by its sites
//           t       int64         model seconds
//           p       OrbitPoint    a point of orbit already worked out (at)
//           s       Sample        a sample (above_min_deg)
// Returned: (value) Station       the site's station: a table station, or
//                                 any site on the stations' sphere
//                                 (station_of)
//           (value) Sample        what a pass finder scans and refines (at)
//           (value) double        the sample's elevation less the site's
//                                 minimum, degrees (above_min_deg)
//           (value) SkyState      the sample with the Sun at the site, the
//                                 range rate and the sub-satellite point
//                                 (sky_at)
//           (value) SunView       the Sun alone: whether the satellite is
//                                 sunlit, the Sun's elevation at the site
//                                 (sun_at)
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
//  - With a minimum elevation a station's sample is in a pass only at or
//    above it: the part of its report's stretch the minimum leaves.
//  - The range rate is the rate of the model's own position (orbit_velocity)
//    less the site's turning with the Earth, along the line of sight, in
//    the Earth-fixed frame; the Sun's elevation is its direction from the
//    model's Sun table against the site's vertical (the ellipsoid's normal,
//    or the sphere's radius).
#include "passes/view.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "geometry/altlat.hpp"
#include "numeric/constants.hpp"
#include "orbit/orbit_velocity.hpp"
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
        std::copy(std::begin(ellipsoid_.pos), std::end(ellipsoid_.pos), site_pos_);
        std::copy(std::begin(ellipsoid_.up), std::end(ellipsoid_.up), site_up_);
    } else {
        const double lat = station_.STLAT * DEGRAD_DOUBLE;
        const double lon = station_.STLON * DEGRAD_DOUBLE;
        const double up[3] = {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
        for (int i = 0; i < 3; ++i) {
            site_up_[i] = up[i];
            site_pos_[i] = EARTH_RADIUS * up[i];
        }
    }
    min_sin_ = std::sin(site.min_elevation_deg * DEGRAD_DOUBLE);
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
        s.in = s.filter_ok && look.MARK2 != "  " && (site_.min_elevation_deg == 0.0 || s.sin_el >= min_sin_);
        s.az_deg = s.filter_ok ? look.AZIM : Look{}.AZIM;
        if (look.above_horizon) s.el_deg = look.ELEV;
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
    if (site_.kind != SiteKind::Station)
        s.el_deg = std::asin(std::fmax(-1.0, std::fmin(1.0, s.sin_el))) / DEGRAD_DOUBLE;
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

SunView View::sun_at(std::int64_t t) { return sun_view(orbit_.at(t)); }

SunView View::sun_view(OrbitPoint& p) {
    const SunPlace& sun = orbit_.sun(p);
    const double g = p.GST * DEGRAD_DOUBLE;
    const double dec = sun.SDEC;
    const double ra = sun.SRA - g;  // the hour angle's complement, Earth-fixed
    const double toward[3] = {std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)};
    return {orbit_.lit(p) != 0,
            std::asin(toward[0] * site_up_[0] + toward[1] * site_up_[1] + toward[2] * site_up_[2]) / DEGRAD_DOUBLE};
}

double View::above_min_deg(const Sample& s) const {
    const double el = std::asin(std::fmax(-1.0, std::fmin(1.0, s.sin_el))) / DEGRAD_DOUBLE;
    return el - site_.min_elevation_deg;
}

SkyState View::sky_at(std::int64_t t) {
    OrbitPoint& p = orbit_.at(t);
    SkyState sky;
    sky.sample = at(p);
    Single HGT;
    Single PHIF;
    ALTLAT(p.R, p.DECL, HGT, PHIF);
    sky.lat_deg = PHIF / DEGRAD;
    sky.lon_deg = p.GLON;
    sky.height_km = HGT;
    const SunView sun = sun_view(p);
    sky.sunlit = sun.sunlit;
    sky.sun_el_deg = sun.sun_el_deg;
    // The satellite and its motion in the Earth-fixed frame.
    const double g = p.GST * DEGRAD_DOUBLE;
    const double cos_g = std::cos(g);
    const double sin_g = std::sin(g);
    const auto fixed = [&](const double v[3]) {
        return std::array<double, 3>{v[0] * cos_g + v[1] * sin_g, -v[0] * sin_g + v[1] * cos_g, v[2]};
    };
    const std::array<double, 3> velocity = orbit_velocity(orbit_.orbel(), p.JDN, p.dt);
    const double spin = EARTH_ROTATION_DEG_PER_MIN * DEGRAD_DOUBLE / SECONDS_PER_MINUTE;  // rad/s
    const double pos[3] = {p.POS[0], p.POS[1], p.POS[2]};
    const double moving[3] = {velocity[0] + spin * pos[1], velocity[1] - spin * pos[0], velocity[2]};
    const std::array<double, 3> r = fixed(pos);
    const std::array<double, 3> v = fixed(moving);
    double d[3];
    double range = 0.0;
    for (std::size_t i = 0; i < 3; ++i) {
        d[i] = r[i] - site_pos_[i];
        range += d[i] * d[i];
    }
    range = std::sqrt(range);
    sky.range_rate_km_s = (v[0] * d[0] + v[1] * d[1] + v[2] * d[2]) / range;
    return sky;
}

}  // namespace talik
