// make_screen, clear_steps - how far a scan may jump without missing a pass.
//
// Given:    object     PassObject   the element set and its scan
//           site       Site         where it is seen from
//           station    Station      the site's station (on the sphere)
//           ellipsoid  EllipsoidSite
//                                   its place on the ellipsoid, for a site
//                                   there
//           orbel      ORBEL        the installed, set-up elements
//           screen     Screen       the bound (clear_steps)
//           p          OrbitPoint   a point of the scan where the object is
//                                   not in a pass (clear_steps)
// Returned: (value)    Screen       the bound for object over site over its
//                                   scan (make_screen); none when the object
//                                   lies outside the envelope the bound is
//                                   proven for, or when jumps of at least
//                                   JUMP_MIN_STEPS steps are not possible
//           (value)    int32        how many steps after p are surely not in
//                                   a pass, nor any whole second within that
//                                   many steps either side of p; 0 when the
//                                   bound gives less than a step
//                                   (clear_steps)
//           p          OrbitPoint   the orbit's plane's normal, kept for the
//                                   other sites (clear_steps)
//
// Notes:
//  - The bound.  Let theta be the arc at the Earth's centre between the
//    site and the object.  A point at distance R is at elevation e or more
//    from a site at distance rho only if theta <= acos(rho cos e / R) - e,
//    which grows with R; so with R_max, the largest apogee distance over
//    the window (the axis changes linearly, so at an end), no pass lies
//    where theta exceeds reach = acos(rho cos e / R_max) - e.  For a site
//    on the ellipsoid e is the minimum less the angle between its normal
//    and its radius.  theta changes no faster than the object's direction
//    and the site's direction move: the argument of latitude at most at
//    dM/dt * sqrt((1+e)/(1-e)^3) (the true anomaly's rate at perigee) plus
//    the perigee's rate, the orbit's plane turning at the node's rate, the
//    site at the sidereal rate.  So from a point at theta0, no second
//    within (theta0 - reach - margin) / rate either side can be in a pass,
//    nor can a pass rise and set between steps there.
//  - The plane.  The object never leaves its orbit's plane, so theta is at
//    least the site's arc from that plane, which changes only as the site
//    turns with the Earth and the plane with the node; where that arc
//    exceeds the reach, the clear time is (arc - reach - margin) over
//    their two rates, often a revolution or more.  The larger of the two
//    clear times holds.
//  - The margin is twice the model's rounding of the object's direction:
//    single-precision angles whose largest is the mean anomaly (counted
//    from the epoch, unreduced), a few units in its last place amplified
//    by the eccentric anomaly's slope, plus the rounding of the sidereal
//    angle and of the look (ANGLE_SLACK_RAD).
//  - The revolutions.  Where the argument of latitude moves on at every
//    step by more than twice its rounding, its rounded values increase
//    from step to step; the sign of the latitude (that of the argument of
//    latitude's sine) then changes at most once between two points less
//    than half a turn apart.  So a jump of at most steps_max steps crosses
//    the equator northward exactly when the latitude is negative before it
//    and not after: the revolution count of the steps jumped over.
//  - The envelope: element sets (decks keep every step of their report),
//    forward scans, windows within 2^24 s of the epoch, where the single-
//    precision time since the epoch holds every whole second, an
//    eccentricity of at most ECCENTRICITY_MAX, a mean anomaly that grows,
//    and the argument of latitude's rounding below a quarter of its move
//    per step.  Rates hand-written into a deck are not the model's
//    oblateness rates, but they enter the bound as they are.
#include "passes/screen.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/ellipsoid.hpp"
#include "numeric/constants.hpp"
#include "orbit/since_epoch.hpp"
#include "time/juldat.hpp"
#include "time/model_calendar.hpp"

namespace talik {

namespace {

// Seconds from the epoch over which the single-precision time since the
// epoch holds every whole second: 2^24.
constexpr double EXACT_TIME_S = 16777216.0;
constexpr double ECCENTRICITY_MAX = 0.8;
// The model's sidereal angle turns 0.25068447 degrees a minute of UT, plus
// its slow century term: 7.2921E-5 rad/s; bounded from above, rad/s.
constexpr double SIDEREAL_RATE_MAX = 7.30E-5;
// Units in the last place of the mean anomaly allowed for the rounding of
// the time, the mean anomaly, the eccentric anomaly and the true anomaly.
constexpr double ANOMALY_ROUNDING_ULPS = 8.0;
// The rounding of the angles and directions other than the anomalies
// (sidereal angle, right ascension, node, perigee, the look), rad.
constexpr double ANGLE_SLACK_RAD = 1.0E-4;
// Relative allowance on the apogee distance for its rounding.
constexpr double DISTANCE_SLACK = 1.0E-6;
// Landing places per longest jump, shared by the sites of an object.
constexpr std::int32_t JUMP_GRIDS_PER_JUMP = 4;
// Single precision: 24 bits of mantissa.
constexpr int SINGLE_MANTISSA_BITS = 24;

// One unit in the last place of a single near x (> 0).
double single_ulp(double x) { return std::ldexp(1.0, std::ilogb(x) - (SINGLE_MANTISSA_BITS - 1)); }

// What the elements give at one end of the window.
struct End {
    double ts;      // seconds since the epoch
    double sma;     // km
    double m;       // mean anomaly, rad
    double m_rate;  // rad/s
};

End end_at(const ORBEL& orbel, std::int64_t t) {
    const DATIM dt = model_datim(t);
    double JDN = 0.0;
    Single GST;
    JULDAT(JDN, GST, dt);
    End e{};
    e.ts = seconds_since_epoch(orbel, JDN, dt);
    const double td = e.ts / SECONDS_PER_DAY;
    const double tm = e.ts / SECONDS_PER_MINUTE;
    e.sma = orbel.SMA + orbel.SMADT * td;
    e.m = (tm * orbel.MMOTDT * 0.5 / MINUTES_PER_DAY + orbel.MMOT) * tm + orbel.MANOM;
    e.m_rate = (orbel.MMOT + orbel.MMOTDT * tm / MINUTES_PER_DAY) / SECONDS_PER_MINUTE;
    return e;
}

// The site's direction from the Earth's centre, its distance (km) and the
// lowest elevation from its radius that a pass needs, rad.
struct SitePlace {
    double sin_lat, cos_lat, lon_rad, rho_km, elevation_rad;
};

SitePlace site_place(const Site& site, const Station& station, const EllipsoidSite& ellipsoid) {
    const double min_rad = site.kind == SiteKind::Station ? 0.0 : site.min_elevation_deg * DEGRAD_DOUBLE;
    if (site.kind != SiteKind::Ellipsoid) {
        return {station.STSLAT, station.STCLAT, station.STLONR, EARTH_RADIUS, min_rad};
    }
    const double* p = ellipsoid.pos;
    const double rho = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
    const double along = (p[0] * ellipsoid.up[0] + p[1] * ellipsoid.up[1] + p[2] * ellipsoid.up[2]) / rho;
    const double tilt = std::acos(std::min(1.0, along));
    return {p[2] / rho, std::hypot(p[0], p[1]) / rho, std::atan2(p[1], p[0]), rho, min_rad - tilt};
}

}  // namespace

std::optional<Screen> make_screen(const PassObject& object, const Site& site, const Station& station,
                                  const EllipsoidSite& ellipsoid, const ORBEL& orbel) {
    const Scan& scan = object.scan;
    if (!scan.between_steps || scan.step <= 0 || scan.count < 1) return std::nullopt;
    const double e = orbel.ECC;
    if (!(e >= 0.0 && e <= ECCENTRICITY_MAX)) return std::nullopt;
    const End a = end_at(orbel, scan.start - scan.step);
    const End b = end_at(orbel, scan.start + static_cast<std::int64_t>(scan.count) * scan.step);
    if (std::max(std::fabs(a.ts), std::fabs(b.ts)) >= EXACT_TIME_S) return std::nullopt;
    const double m_rate_min = std::min(a.m_rate, b.m_rate);
    const double m_rate_max = std::max(a.m_rate, b.m_rate);
    if (!(m_rate_min > 0.0)) return std::nullopt;

    Screen s;
    const double slope = std::sqrt((1.0 + e) / (1.0 - e));  // dE/dM's reach on the true anomaly
    const double rounding =
        ANOMALY_ROUNDING_ULPS * single_ulp(std::max({std::fabs(a.m), std::fabs(b.m), 1.0})) * slope + ANGLE_SLACK_RAD;
    s.margin_rad = 2.0 * rounding;
    const double perigee_rate = std::fabs(orbel.ARGPDT) / SECONDS_PER_DAY;
    const double u_rate_max = m_rate_max * std::sqrt((1.0 + e) / std::pow(1.0 - e, 3)) + perigee_rate;
    const double u_rate_min = m_rate_min * std::sqrt((1.0 - e) / std::pow(1.0 + e, 3)) - perigee_rate;
    s.step_s = scan.step;
    if (!(u_rate_min * scan.step > 4.0 * rounding)) return std::nullopt;
    s.steps_max = static_cast<std::int32_t>(std::min(
        (std::numbers::pi - 2.0 * rounding) / (u_rate_max * scan.step) - 1.0, static_cast<double>(scan.count)));
    if (s.steps_max < JUMP_MIN_STEPS) return std::nullopt;

    const SitePlace place = site_place(site, station, ellipsoid);
    const double r_max = std::max(a.sma, b.sma) * (1.0 + e) * (1.0 + DISTANCE_SLACK);
    s.sin_lat = place.sin_lat;
    s.cos_lat = place.cos_lat;
    s.lon_rad = place.lon_rad;
    s.reach_rad = std::acos(std::min(1.0, place.rho_km * std::cos(place.elevation_rad) / r_max)) - place.elevation_rad;
    const double node_rate = std::fabs(orbel.RAANDT) / SECONDS_PER_DAY;
    s.rate_rad_s = u_rate_max + node_rate + SIDEREAL_RATE_MAX;
    s.plane_rate_rad_s = node_rate + SIDEREAL_RATE_MAX;
    s.orbel = orbel;
    s.grid_steps = std::max(1, s.steps_max / JUMP_GRIDS_PER_JUMP);
    return s;
}

std::int32_t clear_steps(const Screen& s, OrbitPoint& p) {
    if (!p.normal_known) {
        // The plane's normal is the same for every site: worked out once a point.
        const double td = seconds_since_epoch(s.orbel, p.JDN, p.dt) / SECONDS_PER_DAY;
        const double node = s.orbel.RAANDT * td + s.orbel.RAAN;
        p.normal = {std::sin(node) * s.orbel.SINCL, -std::cos(node) * s.orbel.SINCL, s.orbel.CINCL};
        p.normal_known = true;
    }
    // The site's direction in the equatorial frame.
    const double site_ra = s.lon_rad + p.GST * DEGRAD_DOUBLE;
    const double site[3] = {s.cos_lat * std::cos(site_ra), s.cos_lat * std::sin(site_ra), s.sin_lat};
    // Divided by the position's own length: R, a single, would put the cosine
    // off by its rounding, which acos magnifies next to 0 and pi.
    const double x = p.POS[0];
    const double y = p.POS[1];
    const double z = p.POS[2];
    const double cos_arc = (site[0] * x + site[1] * y + site[2] * z) / std::sqrt(x * x + y * y + z * z);
    const double arc = std::acos(std::clamp(cos_arc, -1.0, 1.0));
    const double off_plane = site[0] * p.normal[0] + site[1] * p.normal[1] + site[2] * p.normal[2];
    const double plane_arc = std::asin(std::min(1.0, std::fabs(off_plane)));
    const double clear_s = std::max((arc - s.reach_rad - s.margin_rad) / s.rate_rad_s,
                                    (plane_arc - s.reach_rad - s.margin_rad) / s.plane_rate_rad_s);
    if (clear_s < s.step_s) return 0;
    return static_cast<std::int32_t>(std::min(std::floor(clear_s / s.step_s), static_cast<double>(s.steps_max)));
}

}  // namespace talik
