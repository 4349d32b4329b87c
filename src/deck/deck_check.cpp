// check_deck - every field of a deck and the likely slips.
//
// Given:    deck    Deck        a hand-made deck, read from its start
// Returned: (value) DeckCheck   the listing (each record under a column
//                               ruler, then each field: columns, name, value
//                               with its unit, meaning) and the warnings, one
//                               line each
// Thrown:   InputError          where talik would refuse the deck: read with
//                               the program's own reader and every check it
//                               makes before its first step
//
// Notes:
//  - The warnings are the slips a typist makes most: numbers of neighbouring
//    real fields touching (a digit may have slid across the edge), text
//    after a record's last field, angles outside 0 to 360 degrees (the
//    inclination 0 to 180), an output choice other than 6 or 8, records after
//    the element set, a start more than ELEMENTS_AGE_DAYS from the epoch, a
//    mean motion that does not match the semi-major axis.
//  - The fields' columns come from the reader's own formats, walked step by
//    step, so the listing cannot disagree with what is read.
//  - The mean motion field is compared with the propagator's own perturbed
//    mean motion for the semi-major axis: the satellite follows the axis, so
//    a field off by a fraction f of it means a satellite f times 86400 s a
//    day ahead of or behind the element set (an axis from Kepler's third
//    law alone is off by the oblateness's correction).  Beyond DRIFT_LIMIT
//    seconds a day it is a likely slip.
#include "deck/deck_check.hpp"

#include <cmath>
#include <cstdio>
#include <string_view>

#include "numeric/constants.hpp"
#include "orbit/check_elements.hpp"
#include "orbit/install_elements.hpp"
#include "orbit/orbit_setup.hpp"
#include "deck/element_records.hpp"
#include "deck/run_description.hpp"
#include "predict/statab.hpp"
#include "time/addtim.hpp"
#include "time/juldat.hpp"

namespace talik {

namespace {

constexpr double DRIFT_LIMIT = 1.0;  // s/day
constexpr double INCLINATION_MAX_DEG = 180.0;
constexpr int DECK_RECORDS = 5;
// The rates record's fifth field (columns 41-50) is not read but may hold
// anything.
constexpr int RATES_UNREAD_LAST = 50;

struct FieldInfo {
    const char* name;
    const char* unit;
};

// The fields in the order the formats read them.
enum DeckField : std::size_t {
    OUTPUT_CHOICE,
    START_YEAR,
    TIME_STEP = START_YEAR + 6,
    STEP_COUNT,
    STATION,
    EPOCH_YEAR,
    REVOLUTION = EPOCH_YEAR + 6,
    SEMI_MAJOR_AXIS,
    ECCENTRICITY,
    INCLINATION,
    NODE,
    PERIGEE,
    MEAN_ANOMALY,
    AXIS_RATE,
    NODE_RATE,
    PERIGEE_RATE,
    MEAN_MOTION,
    FIELD_COUNT
};
constexpr std::size_t RUN_LINE_FIELDS = EPOCH_YEAR - START_YEAR;
constexpr std::size_t ELEMENT_FIELDS = FIELD_COUNT - EPOCH_YEAR;

// Names and units of the fields, in DeckField's order.
constexpr FieldInfo INFO[] = {{"output choice", ""},
                              {"start year", ""},
                              {"start month", ""},
                              {"start day", ""},
                              {"start hour", "UT"},
                              {"start minute", ""},
                              {"start second", ""},
                              {"time step", "s"},
                              {"number of steps", ""},
                              {"station", ""},
                              {"epoch year", ""},
                              {"epoch month", ""},
                              {"epoch day", ""},
                              {"epoch hour", "UT"},
                              {"epoch minute", ""},
                              {"epoch second", ""},
                              {"revolution number at the epoch", ""},
                              {"semi-major axis", "km"},
                              {"eccentricity", ""},
                              {"inclination", "deg"},
                              {"right ascension of the ascending node", "deg"},
                              {"argument of perigee", "deg"},
                              {"mean anomaly", "deg"},
                              {"rate of the semi-major axis", "km/day"},
                              {"rate of the node", "deg/day"},
                              {"rate of the perigee", "deg/day"},
                              {"mean motion", "rev/day"}};
static_assert(std::size(INFO) == FIELD_COUNT);

struct Column {
    int record;  // 1-based
    int first;
    int last;
    bool real;
};

// The columns of the deck's fields from the reader's formats.
std::vector<Column> field_columns() {
    std::vector<Column> out;
    int record = 0;
    const std::pair<const Format*, std::size_t> formats[] = {
        {&output_choice_format(), 1}, {&run_line_format(), RUN_LINE_FIELDS}, {&element_set_format(), ELEMENT_FIELDS}};
    for (const auto& [format, wanted] : formats) {
        ++record;
        int column = 1;
        std::size_t taken = 0;
        for (const FormatStep& step : format->steps()) {
            if (taken == wanted) break;
            if (step.kind == FormatItem::Kind::Slash) {
                ++record;
                column = 1;
            } else if (step.kind == FormatItem::Kind::Skip) {
                column += step.width;
            } else {
                out.push_back({record, column, column + step.width - 1, step.kind != FormatItem::Kind::Integer});
                column += step.width;
                ++taken;
            }
        }
    }
    return out;
}

std::string ruler(std::size_t length) {
    std::string r;
    for (std::size_t i = 1; i <= length; ++i)
        r += i % 10 == 0 ? static_cast<char>('0' + (i / 10) % 10) : i % 5 == 0 ? '+' : '-';
    return r;
}

char at(std::string_view record, int column) {
    return column >= 1 && static_cast<std::size_t>(column) <= record.size()
               ? record[static_cast<std::size_t>(column - 1)]
               : ' ';
}

// The last column read of record r (for the rates, of the unread field).
int record_end(const std::vector<Column>& columns, int r) {
    int end = r == DECK_RECORDS ? RATES_UNREAD_LAST : 0;
    for (const Column& c : columns) {
        if (c.record == r) end = std::max(end, c.last);
    }
    return end;
}

bool numeric(char c) { return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+'; }

// The shortest text of a value read into a single (or an integer); others
// with nine digits.
std::string text_of(double value) {
    if (static_cast<double>(static_cast<float>(value)) == value) return shortest(Single(value));
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.9g", value);
    return buf;
}

}  // namespace

namespace {

std::vector<double> values_of(const RunDescription& d) {
    std::vector<double> v{static_cast<double>(d.IOUT)};
    for (const std::int16_t x : d.line.DTSTRT) v.push_back(x);
    v.insert(v.end(),
             {static_cast<double>(d.line.ISTEP), static_cast<double>(d.line.NCALC), static_cast<double>(d.line.ISTA)});
    for (const std::int16_t x : d.elements.EPOCH) v.push_back(x);
    v.push_back(d.elements.NREV0);
    for (const Single x : d.elements.reals()) v.push_back(x);
    return v;
}

std::string meaning(std::size_t field, double value) {
    switch (field) {
    case OUTPUT_CHOICE:
        return value == IOUT_CONSOLE ? "the console report" : value == IOUT_FILE ? "the file KESTAD.DAT" : "no report";
    case TIME_STEP: return value < 0 ? "runs backward" : "";
    case STATION: return station_name(static_cast<int>(value));
    case NODE_RATE:
    case PERIGEE_RATE: return value == 0.0 ? "derived from the oblateness" : "";
    default: return "";
    }
}

void list_fields(DeckCheck& out, const std::vector<std::string>& records, const std::vector<Column>& columns,
                 const std::vector<double>& values) {
    static const char* const TITLES[] = {"the output choice", "the run line", "the epoch and the revolution number",
                                         "the elements at the epoch", "the rates"};
    for (int r = 1; r <= DECK_RECORDS; ++r) {
        const std::string& text = records[static_cast<std::size_t>(r - 1)];
        out.listing += "record " + std::to_string(r) + ", " + TITLES[r - 1] + ":\n  " +
                       ruler(std::max<std::size_t>(text.size(), r == 1 ? 10 : 50)) + "\n  " + text + "\n";
        for (std::size_t i = 0; i < FIELD_COUNT; ++i) {
            if (columns[i].record != r) continue;
            char line[160];
            const std::string value = text_of(values[i]) + (*INFO[i].unit ? std::string(" ") + INFO[i].unit : "");
            std::snprintf(line, sizeof line, "  columns %2d-%-2d  %-38s %-20s %s", columns[i].first, columns[i].last,
                          INFO[i].name, value.c_str(), meaning(i, values[i]).c_str());
            std::string shown = line;
            shown.erase(shown.find_last_not_of(' ') + 1);
            out.listing += shown + "\n";
        }
    }
}

void warn_layout(DeckCheck& out, const Deck& deck, const std::vector<std::string>& records,
                 const std::vector<Column>& columns) {
    for (std::size_t i = 0; i + 1 < columns.size(); ++i) {
        const Column& a = columns[i];
        const Column& b = columns[i + 1];
        const std::string& text = records[static_cast<std::size_t>(a.record - 1)];
        if (a.record == b.record && a.real && b.real && numeric(at(text, a.last)) && numeric(at(text, b.first))) {
            out.warnings.push_back(deck.place(a.record, a.first, b.last) + ": the numbers of " + INFO[i].name +
                                   " and " + INFO[i + 1].name + " touch; a digit may have slid across the edge");
        }
    }
    for (int r = 1; r <= DECK_RECORDS; ++r) {
        const std::string& text = records[static_cast<std::size_t>(r - 1)];
        const auto extra = text.find_first_not_of(" \t", static_cast<std::size_t>(record_end(columns, r)));
        if (extra != std::string::npos) {
            const int first = static_cast<int>(extra) + 1;
            out.warnings.push_back(deck.place(r, first, static_cast<int>(text.size())) +
                                   ": text after the record's last field is not read");
        }
    }
    for (std::size_t r = DECK_RECORDS; r < records.size(); ++r) {
        if (records[r].find_first_not_of(" \t") != std::string::npos) {
            out.warnings.push_back(deck.place(static_cast<int>(r) + 1) +
                                   ": records after the element set are not read");
        }
    }
}

void warn_values(DeckCheck& out, const Deck& deck, const std::vector<Column>& columns, const RunDescription& d) {
    const auto place = [&](std::size_t first, std::size_t last) {
        return deck.place(columns[first].record, columns[first].first, columns[last].last);
    };
    if (d.IOUT != IOUT_CONSOLE && d.IOUT != IOUT_FILE) {
        out.warnings.push_back(place(OUTPUT_CHOICE, OUTPUT_CHOICE) + ": output choice " + std::to_string(d.IOUT) +
                               " writes no report (6: the console, 8: KESTAD.DAT)");
    }
    const ElementSet& s = d.elements;
    const std::pair<std::size_t, Single> angles[] = {
        {INCLINATION, s.INCL}, {NODE, s.RAAN}, {PERIGEE, s.ARGP}, {MEAN_ANOMALY, s.MANOM}};
    for (const auto& [field, angle] : angles) {
        const double high = field == INCLINATION ? INCLINATION_MAX_DEG : DEGREES_PER_TURN;
        if (angle < 0.0 || angle > high) {
            out.warnings.push_back(place(field, field) + ": " + INFO[field].name + " " + text_of(angle) +
                                   " deg is outside 0 to " + text_of(high));
        }
    }
    double jd_start = 0.0;
    double jd_epoch = 0.0;
    Single gst;
    JULDAT(jd_start, gst, d.line.DTSTRT);
    JULDAT(jd_epoch, gst, s.EPOCH);
    const double days = std::fabs(jd_start - jd_epoch);
    if (days > ELEMENTS_AGE_DAYS) {
        out.warnings.push_back(place(EPOCH_YEAR, REVOLUTION - 1) + ": the epoch lies " + text_of(days) +
                               " days from the start; element sets age: predictions degrade");
    }
    ORBEL orbel;
    install_element_set(s, s.EPOCH, orbel);
    setup_orbit(orbel);
    const double model = orbel.MMOT / DEGRAD * MINUTES_PER_DAY / DEGREES_PER_TURN;  // rev/day
    const double drift = (s.MMOTION - model) / s.MMOTION * SECONDS_PER_DAY;         // s/day behind
    if (std::fabs(drift) > DRIFT_LIMIT) {
        char text[200];
        std::snprintf(text, sizeof text,
                      ": mean motion %.8g rev/day does not match the semi-major axis, whose mean motion is %.8g "
                      "rev/day: the satellite runs %.1f s a day %s what the field says",
                      static_cast<double>(s.MMOTION), model, std::fabs(drift), drift > 0 ? "behind" : "ahead of");
        out.warnings.push_back(place(MEAN_MOTION, MEAN_MOTION) + text);
    }
}

}  // namespace

DeckCheck check_deck(const Deck& given) {
    Deck deck = given;
    const RunDescription d = read_run_description(deck);
    check_run(d.line, d.elements, deck_run_places(deck));
    Deck raw = given;
    std::vector<std::string> records;
    while (!raw.at_end()) records.emplace_back(raw.next_record());
    const std::vector<Column> columns = field_columns();
    DeckCheck out;
    list_fields(out, records, columns, values_of(d));
    warn_layout(out, given, records, columns);
    warn_values(out, given, columns, d);
    return out;
}

}  // namespace talik
