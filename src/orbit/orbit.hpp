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
// as it stores them (seconds, days, minutes; km; rad, M not reduced).
struct MeanState {
    Single TS, TD, TM, A, NODE, OMEGA, M;
};

// The mean state at DT (UT), from the set-up elements in orbel.
MeanState mean_state(const ORBEL& orbel, double JDN, const DATIM& DT);

// Position of the satellite at DT (UT) from the elements in orbel, the
// date's day number and sidereal angle, and the current elements.
KeplerStatus ORBIT(const DATIM& DT, Single& R, Single& DECL, Single& RA, Vec3& POS, double& JDN, Single& GST,
                   ORBOUT& orbout, ORBEL& orbel);

}  // namespace talik
