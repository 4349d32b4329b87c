// View - an object seen from a site at one whole second.
//
// Notes:
//  - A station's sample is talik's step: in a pass when visible() (pre-
//    filter passed, strictly above the horizon).  Where the pre-filter
//    says no, look_angles still gives the elevation, to find where the
//    pre-filter cuts a pass and to follow the elevation between steps.
//  - A site on the sphere is a station examined always; it is in a pass at
//    or above its minimum elevation.
//  - A site on the ellipsoid uses the step's position and sidereal angle;
//    the Sun's marks come from the same site on the sphere (its antenna mark
//    only where that sphere's horizon shows the satellite).
#include "passes/view.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "numeric/constants.hpp"
#include "time/iso_datim.hpp"
#include "time/model_calendar.hpp"
#include "geometry/sunpos.hpp"
#include "orbit/orbit_velocity.hpp"
#include "predict/look_angles.hpp"

namespace talik {

Station station_of(const Site& site) {
    if (site.kind == SiteKind::Station) return prepare_station(site.station);
    return site_station(site.name, site.lat_deg, site.lon_deg);
}

View::View(const PassObject& object, const Site& site, std::int32_t& nrev)
    : object_(object),
      site_(site),
      state_(prepare_run(object.elements, station_of(site), model_datim(object.scan.start), nrev)) {
    if (site.kind == SiteKind::Ellipsoid) {
        ellipsoid_ = ellipsoid_site(WGS84, site.lat_deg, site.lon_deg, site.height_km);
        std::copy(std::begin(ellipsoid_.pos), std::end(ellipsoid_.pos), site_pos_);
        std::copy(std::begin(ellipsoid_.up), std::end(ellipsoid_.up), site_up_);
    } else {
        const double lat = state_.station.STLAT * DEGRAD_DOUBLE;
        const double lon = state_.station.STLON * DEGRAD_DOUBLE;
        const double up[3] = {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
        for (int i = 0; i < 3; ++i) {
            site_up_[i] = up[i];
            site_pos_[i] = EARTH_RADIUS * up[i];
        }
    }
    min_sin_ = std::sin(site.min_elevation_deg * DEGRAD_DOUBLE);
}

Sample View::at(std::int64_t t, const DATIM& dt) {
    predict_step(state_, dt, step_);
    const Step& step = step_;
    if (!step.finite()) {
        throw InputError(object_.source, "the orbit cannot be computed at " + iso_tenths(t * TENTHS) +
                                             ": the element set gives a position that is not a number");
    }
    Sample s;
    s.t = t;
    s.GLAT = step.GLAT;
    switch (site_.kind) {
    case SiteKind::Station:
        s.filter_ok = step.examined;
        s.filter_margin = filter_margin(state_.station, step.GLAT, step.GLON);
        if (step.examined) {
            s.sin_el = -step.look.CZ;
            s.in = step.visible() && (site_.min_elevation_deg == 0.0 || s.sin_el >= min_sin_);
            s.range_km = step.look.RANGE;
            if (step.look.above_horizon) s.el_deg = step.look.ELEV;
        } else {
            const Single GLONR = step.GLON * DEGRAD;
            const Look look = look_angles(state_.station, step.R, step.DECL, GLONR);
            s.sin_el = -look.CZ;
            s.range_km = look.RANGE;
        }
        s.az_deg = step.look.AZIM;
        break;
    case SiteKind::Sphere:
        s.sin_el = -step.look.CZ;
        s.in = s.sin_el >= min_sin_ && step.look.above_horizon;
        s.az_deg = step.look.AZIM;
        s.range_km = step.look.RANGE;
        break;
    case SiteKind::Ellipsoid: {
        const SiteLook look = ellipsoid_look(ellipsoid_, step.POS, step.GST);
        s.sin_el = look.sin_elevation;
        s.in = s.sin_el >= min_sin_;
        if (s.in) s.az_deg = look.azimuth_deg();
        s.range_km = look.range_km;
        break;
    }
    }
    if (site_.kind != SiteKind::Station) s.el_deg = std::asin(std::fmax(-1.0, std::fmin(1.0, s.sin_el))) / DEGRAD_DOUBLE;
    if (s.in) {
        s.lit = step.look.above_horizon ? step.LIT : sunlit(state_, step, dt);
        if (step.look.above_horizon) s.antenna = step.ANTMK[0];
    }
    return s;
}

SkyState View::sky_at(std::int64_t t) {
    const DATIM dt = model_datim(t);
    SkyState sky;
    sky.sample = at(t, dt);
    const Step& step = step_;
    sky.lat_deg = step.GLAT;
    sky.lon_deg = step.GLON;
    sky.height_km = step.HGT;
    sky.sunlit = (step.look.above_horizon ? step.LIT : sunlit(state_, step, dt)) != 0;
    // The satellite and the Sun in the Earth-fixed frame.
    const double g = step.GST * DEGRAD_DOUBLE;
    const auto fixed = [&](const double v[3]) {
        return std::array<double, 3>{v[0] * std::cos(g) + v[1] * std::sin(g), -v[0] * std::sin(g) + v[1] * std::cos(g),
                                     v[2]};
    };
    const std::array<double, 3> velocity = orbit_velocity(state_.orbel, step.JDN, dt);
    const double spin = EARTH_ROTATION_DEG_PER_MIN * DEGRAD_DOUBLE / SECONDS_PER_MINUTE;  // rad/s
    const double pos[3] = {step.POS[0], step.POS[1], step.POS[2]};
    const double moving[3] = {velocity[0] + spin * pos[1], velocity[1] - spin * pos[0], velocity[2]};
    const std::array<double, 3> r = fixed(pos);
    const std::array<double, 3> v = fixed(moving);
    double d[3];
    double range = 0.0;
    for (int i = 0; i < 3; ++i) {
        d[i] = r[static_cast<std::size_t>(i)] - site_pos_[i];
        range += d[i] * d[i];
    }
    range = std::sqrt(range);
    sky.range_rate_km_s = (v[0] * d[0] + v[1] * d[1] + v[2] * d[2]) / range;
    Single SDEC;
    Single SRA;
    SUNPOS(step.JDN, dt, SDEC, SRA, state_.suncom);
    const double sun[3] = {std::cos(SDEC) * std::cos(SRA), std::cos(SDEC) * std::sin(SRA), std::sin(SDEC)};
    const std::array<double, 3> s = fixed(sun);
    sky.sun_el_deg = std::asin(s[0] * site_up_[0] + s[1] * site_up_[1] + s[2] * site_up_[2]) / DEGRAD_DOUBLE;
    return sky;
}

double View::above_min_deg(const Sample& s) const {
    const double el = std::asin(std::fmax(-1.0, std::fmin(1.0, s.sin_el))) / DEGRAD_DOUBLE;
    return el - site_.min_elevation_deg;
}

}  // namespace talik
