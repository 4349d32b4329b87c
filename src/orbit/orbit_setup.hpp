// orbit_setup.hpp - the propagator's one-time set-up and its mean-motion
// rate.
#pragma once

#include "numeric/single.hpp"
#include "orbit/orbel.hpp"

namespace talik {

// Completes the element record for the propagator: the perturbed mean motion
// MMOT (rad/min) from SMA, ECC and INCL with the secular J2/J4 correction,
// the node and perigee rates (rad/day) where they are 0, and the cosine and
// sine of the inclination; sets ORBSET to 1.  Rates that are not 0 are kept.
void setup_orbit(ORBEL& orbel);

// The rate of the mean motion n = XKE x^-1.5 (x = SMA in Earth radii of
// XKE, the epoch value) for the decay SMADT, rad/min per day.
Single mean_motion_rate(Single SMA, Single SMADT);

}  // namespace talik
