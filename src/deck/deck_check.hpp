// deck_check.hpp - a hand-made deck shown field by field, with the slips a
// typist makes most.
#pragma once

#include <string>
#include <vector>

#include "format/deck.hpp"

namespace talik {

struct DeckCheck {
    std::string listing;                // each record under a column ruler, then each field
    std::vector<std::string> warnings;  // one line each: "DECK: record 4, columns 21-30: ..."
};

// Reads the deck with the program's own reader and every check the program
// makes before its first step; throws InputError where the program would
// refuse the deck.  Otherwise lists every field (columns, name, value with
// its unit, meaning) and warns about likely slips: numbers of neighbouring
// real fields touching (a digit may have slid across the edge), text after a
// record's last field, angles outside 0 to 360 degrees (the inclination 0 to
// 180), an output choice other than 6 or 8, records after the element set, a
// start far from the epoch, a mean motion that does not match the semi-major
// axis.
DeckCheck check_deck(const Deck& deck);

}  // namespace talik
