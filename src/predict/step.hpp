// step.hpp - the state of a prediction and one step of it: the library's way
// into the model without a deck.  Build a RunState from an element set and
// a station (prepare_run), then call predict_step for each date-time.
// Nothing here writes anything.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "geometry/sphrot.hpp"
#include "geometry/suncom.hpp"
#include "numeric/single.hpp"
#include "orbit/element_set.hpp"
#include "orbit/kepler.hpp"
#include "orbit/orbel.hpp"
#include "orbit/orbit.hpp"
#include "predict/look_angles.hpp"
#include "predict/station.hpp"
#include "time/datim.hpp"

namespace talik {

// Everything a step needs, owned by one run (one thread).
struct RunState {
    ORBEL orbel;    // installed, and set up by a first propagation
    SUNCOM suncom;  // the Sun table of the start year
    Station station;
    SphrotFrame frame;  // the frame rotation's kept frame (the Sun aspect's scratch)
    // Work out the height and the sub-satellite latitude at every step (a
    // ground track), not only where the step may be written or the
    // pre-filter needs the latitude.
    bool every_subpoint = false;
};

// The Sun's place at one instant (SUNPOS).
struct SunPlace {
    Single SDEC;  // declination, rad
    Single SRA;   // right ascension, rad
};

// Everything about one step.
struct Step {
    // The propagator's outputs (ORBIT).
    Single R;             // distance from the centre, km
    Single DECL;          // declination, rad
    Single RA;            // right ascension, rad
    Vec3 POS{};           // equatorial position, km
    double JDN = 0.0;     // Julian day number of the date
    Single GST;           // Greenwich sidereal angle, degrees
    ORBOUT orbout{};      // the current mean elements
    KeplerStatus kepler;  // a failure to converge, for the caller to report
    // The sub-satellite point and the height above the ellipsoid.  HGT and
    // GLAT are worked out (located) when the satellite is at or above the
    // horizon, when the pre-filter needs the latitude, or at every step
    // with RunState::every_subpoint; otherwise HGT is 0 and GLAT holds the
    // declination in degrees, which has the latitude's sign (all that the
    // revolution count reads).
    bool located = false;
    Single HGT;   // km
    Single GLAT;  // latitude, degrees (the revolution count's input)
    Single GLON;  // east longitude, 0 to 360 degrees
    // What the station sees; not examined when the pre-filter says no.
    bool examined = false;
    Look look;
    // The Sun, for a step at or above the horizon only.
    std::int16_t LIT = 0;            // 1 sunlit, 0 in the Earth's shadow
    Single ALAT;                     // the anti-solar direction's latitude about the line of sight
    std::string_view ANTMK = "  ";   // "AA" (within 90 degrees of the Sun) or "BB"
    std::string_view SHADMK = "  ";  // "DD" sunlit or "NN" in the shadow

    // A data line is written for this step.
    bool visible() const { return look.MARK2 != "  "; }
    // The position is made of numbers (always, for an accepted element set).
    bool finite() const;
};

// Propagates to DTNOW (UT) and works out what the station sees then.
Step predict_step(RunState& state, const DATIM& DTNOW);
// The same into step, whose every field is written.
void predict_step(RunState& state, const DATIM& DTNOW, Step& step);

// Whether the satellite of step is sunlit (1) or in the shadow (0).
std::int16_t sunlit(const RunState& state, const Step& step, const DATIM& DTNOW);

// The Sun at DTNOW, whose date has the Julian day number JDN (SUNPOS).
SunPlace sun_place(const SUNCOM& suncom, double JDN, const DATIM& DTNOW);

// The antenna mark's measure (ASPECT's latitude of the anti-solar
// direction, degrees): negative within 90 degrees of the Sun.
Single antisolar_latitude(const Station& station, const Look& look, Single GST, const SunPlace& sun,
                          SphrotFrame& frame);

// The state for an element set seen from station, for a run that starts at
// start; the revolution number at start goes to nrev.
RunState prepare_run(const ElementSet& set, const Station& station, const DATIM& start, std::int32_t& nrev);

// The propagator's set-up, by a first propagation at start.
KeplerStatus start_orbit(RunState& state, const DATIM& start);

}  // namespace talik
