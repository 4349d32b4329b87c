// install_elements.hpp - an element set installed for the propagator, and
// the revolution number it gives at a date-time.
#pragma once

#include <cstdint>

#include "orbit/element_set.hpp"
#include "orbit/orbel.hpp"
#include "time/datim.hpp"

namespace talik {

// Installs the set in orbel in the propagator's units (angles in rad, rates
// in rad/day, SMADT in km/day, the epoch's Julian day number) with MMOT and
// MMOTDT 0 for the propagator's set-up, leaves ORBSET alone, and returns the
// revolution number at the start date-time dt.  The set must have passed
// check_element_set for dt.
std::int32_t install_element_set(const ElementSet& set, const DATIM& dt, ORBEL& orbel);

// The revolution number at dt with its fraction, before truncation: the
// revolution number at the epoch, plus the part of the revolution done (the
// mean argument of latitude), plus the revolutions from the epoch to dt at
// the mean motion corrected by the turning of the perigee and the node.
// The epoch must lie within 32767 days of dt.
double revolutions_at(const ElementSet& set, const DATIM& dt);


}  // namespace talik
