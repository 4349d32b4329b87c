// examined, filter_margin, filter_bound, look_angles - the station's
// pre-filter and its view of the satellite.
//
// Given:    st      Station        the station, on the sphere of radius
//                                  EARTH_RADIUS
//           GLAT    Single         latitude of the sub-satellite point,
//                                  degrees (examined, filter_margin)
//           GLON    Single         its east longitude, degrees, 0 to 360
//                                  (examined, filter_margin)
//           filter  StationFilter  a pre-filter (filter_bound)
//           R       Single         distance of the satellite from the
//                                  centre, km (look_angles)
//           DECL    Single         its declination, rad (look_angles)
//           GLONR   Single         east longitude of the sub-satellite
//                                  point, rad (look_angles)
// Returned: (value) bool           whether the pre-filter lets the step
//                                  through to the look-angle work (examined)
//           (value) double         how far inside the pre-filter the point
//                                  lies, degrees of longitude or latitude:
//                                  negative outside, 1 for a station examined
//                                  always (filter_margin)
//           (value) double         the pre-filter's bound, degrees: the half
//                                  width of the longitude band about the
//                                  station, the latitude the point must reach
//                                  (negative: must not exceed), 0 for a
//                                  station examined always (filter_bound)
//           (value) Look           above the horizon or not; mark, range
//                                  (km), elevation and azimuth (degrees)
//                                  (look_angles)
//
// Notes:
//  - A step is examined exactly when its margin is 0 or more; each margin is
//    0 or more exactly when the plain comparison holds.
//  - ARCANG gives the arc from the station to the sub-satellite point; the
//    triangle centre-station-satellite gives the range and CZ, the cosine of
//    the angle at the station between the centre and the satellite (minus
//    the sine of the elevation).  CZ > 0: below the horizon, the range is
//    left as computed but never printed.
//  - CZ < 0 gives the low mark, CZ below CZHIGH (about 5 degrees) the high
//    one; exactly 0 leaves the mark blank.
//  - The azimuth from the spherical triangle pole-station-point, with its
//    quadrant from the signs; on top of the station (arc below 1E-10) 0.
//  - may_see: the satellite is above the horizon only when the cosine of
//    the arc reaches EARTH_RADIUS / R.  The cosine is bounded from above
//    without trigonometry: the declination's sine and cosine come from the
//    position, and cos x = 1 - 2 sin^2(x/2) with sin y >= y - y^3/6 for y
//    from 0 to pi/2.  ARC_COSINE_SLACK keeps the answer on the safe side of
//    the singles' rounding in look_angles, which is below 1E-6 there.
#include "predict/look_angles.hpp"

#include <cmath>
#include <numbers>

#include "geometry/arcang.hpp"
#include "numeric/constants.hpp"

namespace talik {

namespace {

constexpr Single RESQ = EARTH_RADIUS * EARTH_RADIUS;
constexpr Single RE2 = EARTH_RADIUS * 2.0;
const Single TINY = 1.0E-10;
// Rounding allowance on the cosine of the arc in may_see (dimensionless).
constexpr double ARC_COSINE_SLACK = 1.0E-5;

// The angle at the station between the centre and the satellite, rad, from
// its cosine CZ (at most 0).
Single zenith_angle(Single CZ) {
    if (CZ == 0.0) {
        return PI / 2.0;  // the limit of the formula; no line is written then
    }
    // mended: rounding can put CZ a hair below -1 at the zenith; the square
    // root's argument is then taken as 0, which gives the zenith itself.
    double s = 1.0 - CZ * CZ;
    if (s < 0.0) {
        s = 0.0;
    }
    Single ZETA = std::atan(std::sqrt(s) / CZ);
    if (ZETA <= 0.0) {
        ZETA = ZETA + PI;
    }
    return ZETA;
}

Single azimuth(const Station& st, Single SDECL, Single CDECL, Single CARC, Single SARC, Single GLONR) {
    if (std::fabs(SARC) < TINY) {
        return 0.0;
    }
    const Single CAZ = (SDECL - st.STSLAT * CARC) / st.STCLAT / SARC;
    Single AZR;
    if (std::fabs(CAZ) < TINY) {
        AZR = PI / 2.0;
        if (st.STLONR > GLONR) {
            AZR = AZR + PI;
        }
    } else {
        const Single SAZ = std::sin(GLONR - st.STLONR) * CDECL / SARC;
        AZR = std::atan(SAZ / CAZ);
        if (CAZ < 0.0) {
            AZR = AZR + PI;
        }
    }
    return AZR;
}

}  // namespace

double filter_bound(StationFilter filter) {
    switch (filter) {
    case StationFilter::NearLongitude: return FILTER_HALF_WIDTH;
    case StationFilter::North20: return FILTER_LATITUDE;
    case StationFilter::South20: return -FILTER_LATITUDE;
    case StationFilter::Always: break;
    }
    return 0.0;
}

double filter_margin(const Station& st, Single GLAT, Single GLON) {
    // Each difference is 0 or more exactly when the plain comparison holds
    // (|GLON - STLON| <= 30, GLAT >= 20, GLAT <= -20).
    const double bound = filter_bound(st.filter);
    switch (st.filter) {
    case StationFilter::NearLongitude: return bound - std::fabs(GLON - st.STLON);
    case StationFilter::North20: return GLAT - bound;
    case StationFilter::South20: return bound - GLAT;
    case StationFilter::Always: break;
    }
    return 1.0;
}

bool examined(const Station& st, Single GLAT, Single GLON) { return filter_margin(st, GLAT, GLON) >= 0.0; }

bool may_see(const Station& st, const Vec3& POS, Single R, Single GLON) {
    const double r = R;
    const double sin_decl = POS[2] / r;
    const double cos_decl = std::sqrt(static_cast<double>(POS[0]) * POS[0] + static_cast<double>(POS[1]) * POS[1]) / r;
    double dlon = std::fabs(GLON * DEGRAD_DOUBLE - st.STLONR);
    if (dlon > std::numbers::pi) dlon = 2.0 * std::numbers::pi - dlon;
    const double y = std::fmin(0.5 * dlon, 0.5 * std::numbers::pi);
    const double sin_half = y - y * y * y / 6.0;
    const double cos_dlon = 1.0 - 2.0 * sin_half * sin_half;
    const double across = st.STCLAT * cos_decl;
    const double carc = st.STSLAT * sin_decl + (across >= 0.0 ? across * cos_dlon : -across);
    return carc >= EARTH_RADIUS / r - ARC_COSINE_SLACK;
}

Look look_angles(const Station& st, Single R, Single DECL, Single GLONR) {
    Look look;
    const Single SDECL = std::sin(DECL);
    const Single CDECL = std::cos(DECL);
    Single CARC;
    Single SARC;
    ARCANG(st.STSLAT, SDECL, st.STCLAT, CDECL, GLONR - st.STLONR, CARC, SARC);
    const Single RHOSQ = R * R + RESQ - RE2 * CARC * R;
    look.RANGE = std::sqrt(RHOSQ);
    const Single CZ = ((RESQ + RHOSQ) - R * R) / RE2 / look.RANGE;
    look.CZ = CZ;
    if (CZ > 0.0) {
        return look;
    }
    look.above_horizon = true;
    if (CZ < 0.0) {
        look.MARK2 = st.MRKLO;
    }
    if (CZ < CZHIGH) {
        look.MARK2 = st.MRKHI;
    }
    const Single ZETA = zenith_angle(CZ);
    const Single AZR = azimuth(st, SDECL, CDECL, CARC, SARC, GLONR);
    look.ELEV = (ZETA - PI / 2.0) / DEGRAD;
    look.AZIM = AZR / DEGRAD;
    if (look.AZIM < 0.0) {
        look.AZIM = look.AZIM + 360.0;
    }
    return look;
}

}  // namespace talik
