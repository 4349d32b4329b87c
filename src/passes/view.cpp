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

#include <cmath>
#include <numbers>

#include "numeric/constants.hpp"
#include "passes/model_time.hpp"
#include "predict/look_angles.hpp"

namespace talik {

namespace {

double margin(const Station& st, const Step& s) {
    switch (st.filter) {
    case StationFilter::NearLongitude: return FILTER_HALF_WIDTH - std::fabs(s.GLON - st.STLON);
    case StationFilter::North20: return s.GLAT - FILTER_LATITUDE;
    case StationFilter::South20: return -FILTER_LATITUDE - s.GLAT;
    case StationFilter::Always: break;
    }
    return 1.0;
}

}  // namespace

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
    }
    if (site.kind != SiteKind::Station) min_sin_ = std::sin(site.min_elevation_deg * DEGRAD_DOUBLE);
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
        s.filter_margin = margin(state_.station, step);
        if (step.examined) {
            s.sin_el = -step.look.CZ;
            s.in = step.visible();
            s.range_km = step.look.RANGE;
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
    if (s.in) {
        s.lit = step.look.above_horizon ? step.LIT : sunlit(state_, step, dt);
        if (step.look.above_horizon) s.antenna = step.ANTMK[0];
    }
    return s;
}

double View::above_min_deg(const Sample& s) const {
    const double el = std::asin(std::fmax(-1.0, std::fmin(1.0, s.sin_el))) / DEGRAD_DOUBLE;
    return el - (site_.kind == SiteKind::Station ? 0.0 : site_.min_elevation_deg);
}

}  // namespace talik
