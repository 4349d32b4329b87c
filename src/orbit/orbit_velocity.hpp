// orbit_velocity.hpp - how fast the propagator's position moves.
#pragma once

#include <array>

#include "orbit/orbel.hpp"
#include "time/datim.hpp"

namespace talik {

// The rate of change of ORBIT's position at DT (UT), whose date has the
// Julian day number JDN, km/s in the same equatorial frame; orbel as ORBIT
// left it at DT.
std::array<double, 3> orbit_velocity(const ORBEL& orbel, double JDN, const DATIM& DT);

}  // namespace talik
