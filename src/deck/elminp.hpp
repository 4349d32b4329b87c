// elminp.hpp - ELMINP, the element set read from the deck, checked, listed
// and installed.
#pragma once

#include <cstdint>

#include "format/deck.hpp"
#include "format/format.hpp"
#include "orbit/orbel.hpp"
#include "time/datim.hpp"

namespace talik {

// Reads the element set from the deck, checks it for the start dt, lists it
// and installs it in orbel; the revolution number at dt goes to nrev.
void ELMINP(const DATIM& dt, std::int32_t& nrev, Deck& deck, std::int16_t iout, Unit& unit, ORBEL& orbel);

}  // namespace talik
