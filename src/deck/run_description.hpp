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

// The five records of a deck read, and checked while read, as talik reads
// them; the decay is left to check_run_decay.
RunDescription read_run_description(Deck& deck);

// Where the fields of a deck read by read_run_description stand.
RunPlaces deck_run_places(const Deck& deck);

// Refuses a decay that takes the orbit installed in orbel into the Earth's
// centre between the run's first and last steps.
void check_run_decay(const ORBEL& orbel, const RunLine& line, const std::string& place);

// Every check talik makes before its first step, in its order.
void check_run(const RunLine& line, const ElementSet& set, const RunPlaces& places);

// Whether text is laid out as a deck: an I2 output choice, then a run line.
bool looks_like_deck(std::string_view text);

}  // namespace talik
