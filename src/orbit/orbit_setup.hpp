// orbit_setup.hpp - the propagator's one-time set-up and its mean-motion
// rate.
#pragma once

#include "numeric/single.hpp"
#include "orbit/orbel.hpp"

namespace talik {

// Completes the element record for the propagator: the perturbed mean
// motion, the node and perigee rates where they are 0, cos and sin INCL.
void setup_orbit(ORBEL& orbel);

// The rate of the mean motion for the decay SMADT, rad/min per day.
Single mean_motion_rate(Single SMA, Single SMADT);

}  // namespace talik
