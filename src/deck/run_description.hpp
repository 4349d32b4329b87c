// run_description.hpp - a run as a deck describes it (the output choice,
// the run line and the element set), the checks talik makes before its
// first step, and the recognition of a deck among other texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "deck/run_line.hpp"
#include "format/deck.hpp"
#include "format/errors.hpp"
#include "orbit/element_set.hpp"
#include "orbit/orbel.hpp"

namespace talik {

struct RunDescription {
    std::int16_t IOUT = 0;
    RunLine line;
    ElementSet elements;
};

// Where messages place the fields of a run.
struct RunPlaces {
    FieldPlace run_line;  // a RunField (the start's YEAR .. SECOND, RL_STEP ...)
    FieldPlace elements;  // an ElementField
    std::string decay;    // the rate of the semi-major axis
};

// The five records of a deck read as talik reads them, with the checks it
// makes while reading (the run line, then the element set from the start);
// throws InputError where talik would refuse the deck.  The decay is
// checked by check_run_decay.
RunDescription read_run_description(Deck& deck);

// Where the fields of a deck read by read_run_description stand.
RunPlaces deck_run_places(const Deck& deck);

// Refuses a decay that takes the orbit, installed in orbel, into the Earth's
// centre between the run's first and last steps (check_decay); a run of no
// step is not checked.
void check_run_decay(const ORBEL& orbel, const RunLine& line, const std::string& place);

// Every check talik makes before its first step, in its order: the run
// line, the element set from the start, the decay over the run's steps.
// Throws InputError at the first fault, placed by places.
void check_run(const RunLine& line, const ElementSet& set, const RunPlaces& places);

// Whether text is laid out as a deck: a first record holding only an I2
// output choice and a second record of nine I5 fields (digits, blanks and
// a sign); a UTF-8 byte order mark before it is skipped.
bool looks_like_deck(std::string_view text);

}  // namespace talik
