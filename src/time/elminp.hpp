// elminp.hpp - reading, listing and installing the element set.
#pragma once

#include <cstdint>

#include "format/console.hpp"
#include "format/deck.hpp"
#include "time/datim.hpp"
#include "time/orbel.hpp"

namespace talik {

// Reads the three element records from the deck with "(7I5/6F10.0/5F10.0)",
// writes the listing to the console when iout is 6, installs the elements in
// orbel (angles in rad, rates in rad/day) and returns in nrev the revolution
// number at the start time dt.  An element set that cannot be propagated, or
// an epoch more than 32767 days from dt, is refused with an InputError.
void ELMINP(const DATIM& dt, std::int32_t& nrev, Deck& deck, std::int16_t iout, Console& console, ORBEL& orbel);

}  // namespace talik
