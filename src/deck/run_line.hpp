// run_line.hpp - the deck's first two records: the output choice and the
// run line, read and checked.
#pragma once

#include <cstdint>

#include "format/deck.hpp"
#include "format/errors.hpp"
#include "time/datim.hpp"

namespace talik {

// Output choices: the console report, the report file; any other value
// (talik-deck writes 7) runs without a report.
constexpr std::int16_t IOUT_CONSOLE = 6;
constexpr std::int16_t IOUT_FILE = 8;
constexpr std::int16_t IOUT_NONE = 7;  // any value but 6 and 8: the run without a report

// The run line: start, step, number of steps, station.
struct RunLine {
    DATIM DTSTRT{};          // start, UT
    std::int16_t ISTEP = 0;  // step, seconds (negative runs backward)
    std::int32_t NCALC = 0;  // number of steps (0 or less runs none)
    std::int16_t ISTA = 0;   // station, a row of the station table (1 to 8)
};

// The fields of a run line, for messages: the start's six (YEAR .. SECOND),
// then these.
enum RunField : int { RL_STEP = 6, RL_COUNT, RL_STATION, RL_SPAN /* the step and the count together */ };

// Refuses a run line no step could work with.
void check_run_line(const RunLine& line, const FieldPlace& place);

// Where each field of the run line in record `record` stands.
FieldPlace deck_run_line_places(const Deck& deck, int record);

// The formats of record 1, "(i2)", and of the run line, "(16I5)".
const Format& output_choice_format();
const Format& run_line_format();

// Record 1, the output choice.
std::int16_t read_output_choice(Deck& deck);
// Record 2, the run line, "(16I5)", checked.
RunLine read_run_line(Deck& deck);

}  // namespace talik
