// read_run_description, deck_run_places, check_run_decay, check_run,
// looks_like_deck - a whole deck, and the checks before the first step.
//
// Given:    deck    Deck            a deck, at its start
//                                   (read_run_description), or the deck read
//                                   (deck_run_places)
//           orbel   ORBEL           the installed element set
//                                   (check_run_decay)
//           line    RunLine         the run line
//           place   string          where the rate of the semi-major axis
//                                   stands (check_run_decay)
//           set     ElementSet      the element set (check_run)
//           places  RunPlaces       where the fields stand (check_run)
//           text    string_view     any text (looks_like_deck)
// Returned: (value) RunDescription  the deck's five records
//                                   (read_run_description)
//           (value) RunPlaces       where they stand in the deck
//                                   (deck_run_places)
//           (value) bool            whether text is laid out as a deck: a
//                                   first record holding only an I2 output
//                                   choice and a second of nine I5 fields
//                                   (digits, blanks and a sign); a UTF-8
//                                   byte order mark before it is skipped
//                                   (looks_like_deck)
// Thrown:   InputError              where talik would refuse the deck, at the
//                                   first fault
//
// Notes:
//  - read_run_description makes the checks of the reading (the run line,
//    then the element set from the start); check_run makes every check in
//    talik's order: the run line, the element set from the start, the decay
//    over the run's steps.  A run of no step has no decay to check.
//  - talik's own run (report/talik_run.cpp) interleaves these checks with
//    its listing, calling the same pieces: the run line is checked as it is
//    read, the element set before it is listed, the decay after.
//  - The decay is judged at the first and the last step (the axis changes
//    linearly in time, so these are its extremes).
#include "deck/run_description.hpp"

#include "deck/element_records.hpp"
#include "format/text.hpp"
#include "orbit/check_elements.hpp"
#include "orbit/install_elements.hpp"
#include "time/addtim.hpp"

namespace talik {

namespace {

constexpr int RUN_LINE_RECORD = 2;
constexpr int EPOCH_RECORD = 3;
constexpr int RATES_RECORD = 5;
constexpr std::size_t RUN_LINE_FIELDS = 9;
constexpr std::size_t RUN_LINE_WIDTH = 5;
constexpr std::size_t CHOICE_WIDTH = 2;
constexpr int DECAY_FIRST_COLUMN = 1;
constexpr int DECAY_LAST_COLUMN = 10;

bool blank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

// An I-field's text: blanks, tabs, digits and one sign before the digits.
bool integer_field(std::string_view f) {
    std::size_t i = f.find_first_not_of(" \t");
    if (i == std::string_view::npos) return true;
    if (f[i] == '+' || f[i] == '-') ++i;
    for (; i < f.size(); ++i) {
        if ((f[i] < '0' || f[i] > '9') && f[i] != ' ' && f[i] != '\t') return false;
    }
    return true;
}

// The next record of text, which is moved past it and its line end (LF,
// CR LF or CR).
std::string_view next_record(std::string_view& text) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view record = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end);
    if (text.substr(0, 2) == "\r\n") {
        text.remove_prefix(2);
    } else if (!text.empty()) {
        text.remove_prefix(1);
    }
    return record;
}

}  // namespace

RunDescription read_run_description(Deck& deck) {
    RunDescription d;
    d.IOUT = read_output_choice(deck);
    d.line = read_run_line(deck);
    d.elements = read_element_set(deck);
    check_element_set(d.elements, d.line.DTSTRT, deck_element_places(deck, EPOCH_RECORD));
    return d;
}

RunPlaces deck_run_places(const Deck& deck) {
    return {deck_run_line_places(deck, RUN_LINE_RECORD), deck_element_places(deck, EPOCH_RECORD),
            deck.place(RATES_RECORD, DECAY_FIRST_COLUMN, DECAY_LAST_COLUMN)};
}

void check_run_decay(const ORBEL& orbel, const RunLine& line, const std::string& place) {
    if (line.NCALC <= 0) return;
    check_decay(orbel, line.DTSTRT, after_steps(line.DTSTRT, line.NCALC - 1, line.ISTEP), place);
}

void check_run(const RunLine& line, const ElementSet& set, const RunPlaces& places) {
    check_run_line(line, places.run_line);
    check_element_set(set, line.DTSTRT, places.elements);
    ORBEL orbel;
    install_element_set(set, line.DTSTRT, orbel);
    check_run_decay(orbel, line, places.decay);
}

bool looks_like_deck(std::string_view text) {
    text = without_byte_order_mark(text);
    if (text.empty()) return false;
    const std::string_view choice = next_record(text);
    if (text.empty()) return false;
    const std::string_view run = next_record(text);
    if (choice.size() > CHOICE_WIDTH && !blank(choice.substr(CHOICE_WIDTH))) return false;
    if (!integer_field(choice.substr(0, CHOICE_WIDTH)) || blank(choice) || blank(run)) return false;
    for (std::size_t f = 0; f < RUN_LINE_FIELDS; ++f) {
        const std::size_t at = f * RUN_LINE_WIDTH;
        if (!integer_field(at < run.size() ? run.substr(at, RUN_LINE_WIDTH) : "")) return false;
    }
    return true;
}

}  // namespace talik
