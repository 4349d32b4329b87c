// install_elements.hpp - an element set installed for the propagator, and
// the revolution number it gives at a date-time.
#pragma once

#include <cstdint>

#include "orbit/element_set.hpp"
#include "orbit/orbel.hpp"
#include "time/datim.hpp"

namespace talik {

// Installs the set in orbel in the propagator's units and returns the
// revolution number at the start date-time dt.
std::int32_t install_element_set(const ElementSet& set, const DATIM& dt, ORBEL& orbel);

// The revolution number at dt with its fraction, before truncation.
double revolutions_at(const ElementSet& set, const DATIM& dt);

}  // namespace talik
