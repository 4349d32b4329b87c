// predict_step, sunlit, sun_place, antisolar_latitude, prepare_run,
// start_orbit - one step of the prediction and the state it runs on.
//
// Given:    state    RunState      the elements, the Sun table, the station
//                                  and the kept frame (the frame is scratch)
//           DTNOW    DATIM         the step's date-time, UT
//           step     Step          the step worked out at DTNOW (sunlit)
//           set      ElementSet    an element set checked (check_element_set)
//                                  for start (prepare_run)
//           station  Station       the station (prepare_run)
//           start    DATIM         the run's start, UT (prepare_run,
//                                  start_orbit)
// Returned: (value)  Step          everything about the step (predict_step;
//                                  the second form writes every field of the
//                                  Step given, which saves a loop building a
//                                  new one at every step)
//           (value)  int16         1 sunlit, 0 in the Earth's shadow, also
//                                  for a step below the horizon (sunlit)
//           (value)  RunState      the Sun table of the start year, the
//                                  installed elements, set up (prepare_run)
//           nrev     int32         revolution number at start (prepare_run)
//           (value)  KeplerStatus  how the first propagation solved Kepler's
//                                  equation (start_orbit)
//
// Notes:
//  - The sub-satellite longitude is the right ascension less the sidereal
//    angle, 0 to 360; the latitude is the ellipsoid foot's (ALTLAT).
//  - ALTLAT is most of a step's work and its results are printed only on a
//    step at or above the horizon; elsewhere the revolution count reads
//    only the latitude's sign, which is the declination's (the foot of the
//    normal lies between the point's geocentric latitude and the equator,
//    and ALTLAT's correction never crosses 0).  So it runs where a line may
//    be written, where a latitude pre-filter needs the value (and the
//    declination cannot settle it: the foot's latitude is never further
//    from the equator than the declination), or at every step on request.
//  - The look angles run only where may_see() leaves the horizon open; a
//    step it closes gives the same Look as a step below the horizon, less
//    the range and CZ that no caller reads there.
//  - The Sun matters only to a step at or above the horizon: the antenna
//    mark measures the anti-solar direction, the shadow mark is printed.
//    The table look-up and the shadow test are pure, so the other steps
//    skip them (sunlit() gives the shadow of any step).
//  - start_orbit does the propagator's set-up by a first propagation at
//    start, once the element set is installed in state.orbel.  prepare_run
//    does not report failures of Kepler's equation on the way.
#include "predict/step.hpp"

#include <cmath>

#include "geometry/altlat.hpp"
#include "geometry/aspect.hpp"
#include "geometry/shadow.hpp"
#include "geometry/sunpos.hpp"
#include "geometry/suntab.hpp"
#include "numeric/constants.hpp"
#include "numeric/intrinsics.hpp"
#include "orbit/install_elements.hpp"
#include "time/juldat.hpp"

namespace talik {

namespace {

constexpr std::string_view ANTENNA = "AABB";
constexpr std::string_view SUNLIT = "NNDD";

void sun_and_marks(RunState& state, Step& s, const DATIM& DTNOW) {
    const SunPlace sun = sun_place(state.suncom, s.JDN, DTNOW);
    SHADOW(s.POS, sun.SDEC, sun.SRA, s.LIT);
    s.ALAT = antisolar_latitude(state.station, s.look, s.GST, sun, state.frame);
    s.ANTMK = ANTENNA.substr(s.ALAT < 0.0 ? 0 : 2, 2);
    s.SHADMK = SUNLIT.substr(static_cast<std::size_t>(2 * s.LIT), 2);
}

void locate(Step& s) {
    Single PHIF;
    ALTLAT(s.R, s.DECL, s.HGT, PHIF);
    s.GLAT = PHIF / DEGRAD;
    s.located = true;
}

// Whether the pre-filter lets the step through, working out the latitude
// only when the declination leaves a latitude pre-filter open.  Above the
// ellipsoid's equatorial radius the foot's latitude is never further from
// the equator than the declination, so a declination short of the bound
// settles it.
bool filter_passes(const Station& st, Step& s) {
    const bool by_latitude = st.filter == StationFilter::North20 || st.filter == StationFilter::South20;
    if (by_latitude && !s.located) {
        const Single decl_deg = s.DECL / DEGRAD;
        const bool beyond = st.filter == StationFilter::North20 ? decl_deg >= FILTER_LATITUDE
                                                                : decl_deg <= -FILTER_LATITUDE;
        if (!beyond && s.R >= EARTH_RADIUS) return false;
        locate(s);
    }
    return examined(st, s.GLAT, s.GLON);
}

}  // namespace

bool Step::finite() const {
    // The values are bounded for any element set that is accepted, so their
    // product is finite exactly when each of them is.
    return std::isfinite(R * DECL * RA * HGT * GLAT);
}

Step predict_step(RunState& state, const DATIM& DTNOW) {
    Step s;
    predict_step(state, DTNOW, s);
    return s;
}

void predict_step(RunState& state, const DATIM& DTNOW, Step& s) {
    s.kepler = ORBIT(DTNOW, s.R, s.DECL, s.RA, s.POS, s.JDN, s.GST, s.orbout, state.orbel);
    s.located = false;
    s.HGT = 0.0;
    s.GLAT = s.DECL / DEGRAD;
    if (state.every_subpoint) locate(s);
    s.GLON = MOD(s.RA / DEGRAD - s.GST + 360.0, 360.0);
    s.examined = filter_passes(state.station, s);
    const bool open = s.examined && may_see(state.station, s.POS, s.R, s.GLON);
    s.look = open ? look_angles(state.station, s.R, s.DECL, s.GLON * DEGRAD) : Look{};
    if (s.look.above_horizon) {
        if (!s.located) locate(s);
        sun_and_marks(state, s, DTNOW);
    } else {
        s.LIT = 0;
        s.ALAT = 0.0;
        s.ANTMK = "  ";
        s.SHADMK = "  ";
    }
}

std::int16_t sunlit(const RunState& state, const Step& step, const DATIM& DTNOW) {
    const SunPlace sun = sun_place(state.suncom, step.JDN, DTNOW);
    std::int16_t lit = 0;
    SHADOW(step.POS, sun.SDEC, sun.SRA, lit);
    return lit;
}

SunPlace sun_place(const SUNCOM& suncom, double JDN, const DATIM& DTNOW) {
    SunPlace sun;
    SUNPOS(JDN, DTNOW, sun.SDEC, sun.SRA, suncom);
    return sun;
}

Single antisolar_latitude(const Station& station, const Look& look, Single GST, const SunPlace& sun,
                          SphrotFrame& frame) {
    // Anti-solar direction, degrees.
    const Single ASDEC = -sun.SDEC / DEGRAD;
    const Single ASRA = MOD(sun.SRA + PI, PI * 2.0) / DEGRAD;
    Single PA;
    Single ALAT;
    ASPECT(look.AZIM, look.ELEV, GST, ASRA, ASDEC, PA, ALAT, station.STLAT, station.STLON, frame);
    return ALAT;
}

KeplerStatus start_orbit(RunState& state, const DATIM& start) {
    Single GST;
    JULDAT(state.orbel.EPOCHJ, GST, state.orbel.EPOCH);
    Single R;
    Single DECL;
    Single RA;
    Vec3 POS{};
    double JDN = 0.0;
    ORBOUT orbout{};
    return ORBIT(start, R, DECL, RA, POS, JDN, GST, orbout, state.orbel);
}

RunState prepare_run(const ElementSet& set, const Station& station, const DATIM& start, std::int32_t& nrev) {
    RunState state;
    state.station = station;
    state.orbel.ORBSET = 0;
    SUNTAB(start[YEAR], state.suncom);
    nrev = install_element_set(set, start, state.orbel);
    start_orbit(state, start);
    return state;
}

}  // namespace talik
