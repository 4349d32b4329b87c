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

// The deck read and checked as the program reads and checks it, every field
// listed, and warnings about likely slips.
DeckCheck check_deck(const Deck& deck);

}  // namespace talik
