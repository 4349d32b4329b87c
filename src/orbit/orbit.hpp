// orbit.hpp - the perturbed mean-element propagator.
#pragma once

#include <array>

#include "numeric/single.hpp"
#include "orbit/kepler.hpp"
#include "orbit/orbel.hpp"
#include "time/datim.hpp"

namespace talik {

// The 13 current mean elements and rates, in the order of the report's
// element blocks (index 0 = item 1): a (km), ECC, INCL, omega, Omega,
// MOD(M, 360) (deg), RAANDT, ARGPDT (deg/day), MMOT (deg/min), SMADT
// (km/day), MMOTDT (deg/min per day), perigee and apogee heights (km).
using ORBOUT = std::array<Single, 13>;

// The propagator's time since the epoch and mean elements at a date-time,
// as it stores them: seconds TS, days TD and minutes TM since the epoch; the
// semi-major axis A (km); the node NODE, the argument of perigee OMEGA and
// the mean anomaly M (rad, M not reduced).
struct MeanState {
    Single TS, TD, TM, A, NODE, OMEGA, M;
};

// The mean state at DT (UT) whose date has the Julian day number JDN, from
// the set-up elements in orbel (MMOTDT current).
MeanState mean_state(const ORBEL& orbel, double JDN, const DATIM& DT);

// Position of the satellite at DT (UT) from the elements in orbel: distance
// R (km), declination DECL and right ascension RA (rad), equatorial vector
// POS (km), the date's Julian day number JDN and the sidereal angle GST
// (deg) from JULDAT, and the current elements in orbout.  The first call
// with orbel.ORBSET == 0 does the set-up (setup_orbit); every call
// recomputes MMOTDT when SMADT is not 0.  Returns how Kepler's equation was
// solved, for the caller to report a failure to converge.
KeplerStatus ORBIT(const DATIM& DT, Single& R, Single& DECL, Single& RA, Vec3& POS, double& JDN, Single& GST,
                   ORBOUT& orbout, ORBEL& orbel);

}  // namespace talik
