// ELMINP - read, check, list and install the element set.
//
// Given:    dt      DATIM   start date-time of the prediction, UT
//           deck    Deck    input deck; its next three records are read
//           iout    int16   output choice: IOUT_CONSOLE lists the set
//           unit    Unit    where the listing goes
// Returned: nrev    int32   revolution number of the satellite at dt
//           orbel   ORBEL   the element record, as install_element_set
//                           fills it
// Thrown:   InputError      a record that cannot be read, a set the
//                           propagator cannot follow (check_element_set)
//
// Notes:
//  - A set the propagator cannot follow is refused before anything is listed
//    or installed.  The listing echoes the set as read.
#include "deck/elminp.hpp"

#include "deck/element_records.hpp"
#include "deck/run_line.hpp"
#include "orbit/check_elements.hpp"
#include "orbit/install_elements.hpp"

namespace talik {

void ELMINP(const DATIM& dt, std::int32_t& nrev, Deck& deck, std::int16_t iout, Unit& unit, ORBEL& orbel) {
    const ElementSet set = read_element_set(deck);
    check_element_set(set, dt, deck_element_places(deck, deck.records_read() - 2));
    if (iout == IOUT_CONSOLE) {
        list_element_set(unit, set);
    }
    nrev = install_element_set(set, dt, orbel);
}

}  // namespace talik
