// check_run_line, deck_run_line_places, output_choice_format,
// run_line_format, read_output_choice, read_run_line - the deck's first two
// records and the checks of the run line.
//
// Given:    line    RunLine     the run line (check_run_line)
//           place   FieldPlace  where its fields stand, by RunField
//                               (check_run_line)
//           deck    Deck        the deck, at the record to read, or read
//                               (deck_run_line_places)
//           record  int         the run line's record (deck_run_line_places)
// Returned: (value) FieldPlace  where each field of the run line stands
//                               (deck_run_line_places)
//           (value) Format      "(i2)", "(16I5)"
//           (value) int16       record 1, the output choice
//                               (read_output_choice)
//           (value) RunLine     record 2, the run line, checked
//                               (read_run_line)
// Thrown:   InputError          a record that cannot be read; a run line no
//                               step could work with (check_run_line)
//
// Notes:
//  - check_run_line refuses a start that is not a supported date-time, a
//    station outside 1 to 8, steps that leave the Sun table's span (from
//    SUN_FIRST_DAY to SUN_LAST_DAY days from 1 January of the start year)
//    or whose last step falls in the year 10000.  A run of no step has no
//    span to check.
//  - The span check counts whole days from 1 January of the start year to
//    the last step (floor, in seconds), as the Sun table's window is counted
//    in whole days of the step's date.
#include "deck/run_line.hpp"

#include <string>

#include "geometry/suncom.hpp"
#include "numeric/constants.hpp"
#include "predict/statab.hpp"
#include "time/check_date.hpp"
#include "time/day_seconds.hpp"
#include "time/juldat.hpp"

namespace talik {

namespace {

// Whole days from 1 January of the start year to the last step.
std::int64_t last_step_day(const RunLine& line) {
    const DATIM& start = line.DTSTRT;
    const DATIM jan1{start[YEAR], 1, 1, 0, 0, 0};
    double jd_jan1 = 0.0;
    double jd_start = 0.0;
    Single gst;
    JULDAT(jd_jan1, gst, jan1);
    JULDAT(jd_start, gst, start);
    const std::int64_t start_seconds = static_cast<std::int64_t>(jd_start - jd_jan1) * SECONDS_PER_DAY_WHOLE +
                                       second_of_day(start);
    return split_days(start_seconds + static_cast<std::int64_t>(line.NCALC - 1) * line.ISTEP).days;
}

}  // namespace

void check_run_line(const RunLine& line, const FieldPlace& place) {
    // mended: a station, a date or a span outside the tables would read
    // outside them; such a run line is refused before anything is shown.
    check_date(line.DTSTRT, place);
    if (line.ISTA < 1 || line.ISTA > STATAB::COUNT) {
        throw InputError(place(RL_STATION), "station " + std::to_string(line.ISTA) + " is outside 1 to 8");
    }
    if (line.NCALC <= 0) {
        return;
    }
    const std::int64_t last_day = last_step_day(line);
    const int year = line.DTSTRT[YEAR];
    if (last_day < SUN_FIRST_DAY || last_day > SUN_LAST_DAY) {
        const std::string where = last_day < 0 ? std::to_string(-last_day) + " days before"
                                               : std::to_string(last_day) + " days after";
        throw InputError(place(RL_SPAN), "the last step falls " + where + " 1 January " + std::to_string(year) +
                                             "; every step must lie from " + std::to_string(-SUN_FIRST_DAY) +
                                             " days before to " + std::to_string(SUN_LAST_DAY) +
                                             " days after 1 January of the start year");
    }
    // The report's year fields hold four digits.
    if (year == 9999 && last_day >= 365) {
        throw InputError(place(RL_SPAN),
                         "the last step falls in the year 10000; every step must lie in 9999 or before");
    }
}

FieldPlace deck_run_line_places(const Deck& deck, int record) {
    return [&deck, record](int field) {
        if (field == RL_SPAN) return deck.place(record, 31, 40);
        const int first = 5 * field + 1;
        return deck.place(record, first, first + 4);
    };
}

const Format& output_choice_format() {
    static const Format f("(i2)");
    return f;
}

const Format& run_line_format() {
    static const Format f("(16I5)");
    return f;
}

std::int16_t read_output_choice(Deck& deck) {
    std::int16_t iout = 0;
    read(deck, output_choice_format(), {&iout});
    return iout;
}

RunLine read_run_line(Deck& deck) {
    RunLine l;
    DATIM& d = l.DTSTRT;
    read(deck, run_line_format(), {&d[0], &d[1], &d[2], &d[3], &d[4], &d[5], &l.ISTEP, &l.NCALC, &l.ISTA});
    check_run_line(l, deck_run_line_places(deck, deck.records_read()));
    return l;
}

}  // namespace talik
