// read_two_line - two-line element sets, each after an optional name line.
//
// Given:    display  string           the source's name in messages
//           text     string_view      the text of a source of two-line sets
//           out      ElementSetsRead  what has been read so far
// Returned: out      ElementSetsRead  one set per two-line set appended; one
//                                     problem per set that cannot be read
// Thrown:   InputError                naming the source and the line: a line
//                                     longer than MAX_ELEMENT_LINE_BYTES
//
// Notes:
//  - Columns are counted from 1.  Line 1: catalogue number 3-7 (Alpha-5
//    allowed), designator 10-17, epoch 19-32 (YYDDD.DDDDDDDD, years 57 to
//    99 in the 1900s), first derivative of mean motion / 2 34-43, second
//    derivative / 6 45-52 and BSTAR 54-61 with an implied point and
//    exponent (" 12345-4" is 0.12345e-4).  Line 2: catalogue number 3-7,
//    inclination 9-16, node 18-25, eccentricity 27-33 (implied point),
//    perigee 35-42, mean anomaly 44-51, mean motion 53-63, revolution
//    number 64-68.  Column 69 of each line is the sum of its digits (a
//    minus counting 1) modulo 10.
//  - Implied points become decimal text, converted like every other field,
//    so a set reads the same here as in a message.
#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "elements/fields.hpp"
#include "format/text.hpp"
#include "time/gregorian.hpp"
#include "elements/keyed.hpp"
#include "elements/readers.hpp"

namespace talik::elements {

namespace {

constexpr std::size_t TWO_LINE_COLUMNS = 69;
constexpr std::int32_t MAX_FIVE_DIGITS = 99'999;
constexpr int CENTURY_PIVOT = 57;                          // two-digit years from 57 are in the 1900s
constexpr std::int64_t MICROSECONDS_PER_DAY_DIGIT8 = 864;  // 1e-8 day; a day's 8 decimals are whole microseconds
constexpr std::size_t DAY_DECIMALS = 8;
constexpr std::size_t SET_WINDOW = 3;  // lines looked at to find a set: a name line, line 1, line 2

// Columns that separate the fields and hold a blank.
constexpr std::size_t BLANKS_LINE1[] = {2, 9, 18, 33, 44, 53, 62, 64};
constexpr std::size_t BLANKS_LINE2[] = {2, 8, 17, 26, 34, 43, 52};

bool starts_line(const Line& line, char number) {
    return line.text.size() >= 2 && line.text[0] == number && line.text[1] == ' ';
}

Field columns(const Line& line, std::size_t first, std::size_t last, const char* what) {
    return Field{line.text.substr(first - 1, last - first + 1), "line " + std::to_string(line.number) + ", columns " +
                                                                    std::to_string(first) + "-" + std::to_string(last) +
                                                                    " (" + what + ")"};
}

void check_layout(const Line& line, std::span<const std::size_t> blanks) {
    const std::string where = "line " + std::to_string(line.number);
    if (line.text.size() != TWO_LINE_COLUMNS) {
        throw InputError(where + ": " + std::to_string(line.text.size()) + " columns, a line of a two-line set has " +
                         std::to_string(TWO_LINE_COLUMNS));
    }
    int sum = 0;
    for (const char c : line.text.substr(0, TWO_LINE_COLUMNS - 1)) {
        if (c >= '0' && c <= '9') sum += c - '0';
        if (c == '-') sum += 1;
    }
    const char given = line.text[TWO_LINE_COLUMNS - 1];
    if (given < '0' || given > '9') {
        throw InputError(where + ", column 69: " + quote(std::string_view(&given, 1)) + " is not a checksum digit");
    }
    if (given - '0' != sum % 10) {
        throw InputError(where + ": checksum " + given + ", expected " + std::to_string(sum % 10));
    }
    for (const std::size_t column : blanks) {
        if (line.text[column - 1] != ' ') {
            throw InputError(where + ", column " + std::to_string(column) + ": " +
                             quote(line.text.substr(column - 1, 1)) + " where a blank separates the fields");
        }
    }
}

std::int32_t catalog_number(const Field& field) {
    const std::optional<std::int32_t> alpha5 = alpha5_number(field.text);
    return alpha5 ? *alpha5 : whole_number(field, MAX_FIVE_DIGITS);
}

// YYDDD.DDDDDDDD; the day of the year counts from 1.
std::int64_t epoch_us(const Field& field) {
    const std::string_view text = field.text;
    const std::string_view day = trim(text.substr(2));
    const std::size_t point = day.find('.');
    const std::string_view whole = day.substr(0, point);
    const std::string_view decimals = point == std::string_view::npos ? std::string_view() : day.substr(point + 1);
    const auto all_digits = [](std::string_view s) {
        return s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (text[0] == ' ' || text[1] == ' ' || !all_digits(text.substr(0, 2)) || whole.empty() || whole.size() > 3 ||
        !all_digits(whole) || decimals.size() > DAY_DECIMALS || !all_digits(decimals)) {
        refuse(field, quote(text) + " is not an epoch (YYDDD.DDDDDDDD)");
    }
    const int two_digits = (text[0] - '0') * 10 + (text[1] - '0');
    const std::int64_t year = two_digits >= CENTURY_PIVOT ? 1900 + two_digits : 2000 + two_digits;
    const std::int64_t day_of_year = std::stoi(std::string(whole));
    if (day_of_year < 1 || day_of_year > (leap_year(year) ? 366 : 365)) {
        refuse(field, quote(text) + ": day " + std::to_string(day_of_year) + " of " + std::to_string(year) +
                          " does not exist");
    }
    std::int64_t fraction_us = 0;
    for (std::size_t i = 0; i < DAY_DECIMALS; ++i)
        fraction_us = fraction_us * 10 + (i < decimals.size() ? decimals[i] - '0' : 0);
    fraction_us *= MICROSECONDS_PER_DAY_DIGIT8;
    return (days_from_civil(year, 1, 1) + day_of_year - 1) * MICROSECONDS_PER_DAY + fraction_us;
}

// " 12345-4" (sign, five digits, exponent sign, exponent digit) is 0.12345e-4.
double implied_exponent(const Field& field) {
    const std::string_view t = field.text;
    const auto is_sign = [](char c, bool blank) { return c == '+' || c == '-' || (blank && c == ' '); };
    bool shape = is_sign(t[0], true) && is_sign(t[6], false) && t[7] >= '0' && t[7] <= '9';
    for (std::size_t i = 1; i < 6; ++i) shape = shape && t[i] >= '0' && t[i] <= '9';
    if (!shape) refuse(field, quote(t) + " is not a number with an implied point (\" 12345-4\")");
    const std::string text = std::string(t[0] == '-' ? "-" : "") + "0." + std::string(t.substr(1, 5)) + "e" +
                             std::string(t.substr(6, 2));
    return decimal(Field{text, field.label});
}

double implied_eccentricity(const Field& field) {
    if (field.text.find_first_not_of("0123456789") != std::string_view::npos) {
        refuse(field, quote(field.text) + " is not seven digits");
    }
    return decimal(Field{"0." + std::string(field.text), field.label}, ECCENTRICITY_BOUNDS);
}

// A line 1 (or 2) by its layout: the number and a blank, 69 columns, blanks
// between the fields.
bool is_line(const Line* line, char number, std::span<const std::size_t> blanks) {
    if (line == nullptr || line->text.size() != TWO_LINE_COLUMNS || !starts_line(*line, number)) return false;
    return std::all_of(blanks.begin(), blanks.end(), [&](std::size_t column) { return line->text[column - 1] == ' '; });
}

bool is_set(const Line* line1, const Line* line2) {
    return is_line(line1, '1', BLANKS_LINE1) && is_line(line2, '2', BLANKS_LINE2) &&
           line1->text.substr(2, 5) == line2->text.substr(2, 5);
}

bool starts_line(const Line* line, char number) { return line != nullptr && starts_line(*line, number); }

MeanElements two_line_set(const Line* name, const Line& line1, const Line& line2) {
    check_layout(line1, BLANKS_LINE1);
    check_layout(line2, BLANKS_LINE2);
    MeanElements set{};
    if (name != nullptr) {
        std::string_view text = trim(name->text);
        if (text.size() >= 2 && text[0] == '0' && text[1] == ' ') text = trim(text.substr(2));
        set.name = text_value(Field{text, "line " + std::to_string(name->number) + " (name)"});
    }
    set.catalog_number = catalog_number(columns(line1, 3, 7, "catalogue number"));
    const Field second_number = columns(line2, 3, 7, "catalogue number");
    if (catalog_number(second_number) != set.catalog_number) {
        refuse(second_number, quote(second_number.text) + " differs from line " + std::to_string(line1.number) + "'s " +
                                  quote(line1.text.substr(2, 5)));
    }
    set.object_id = std::string(trim(line1.text.substr(9, 8)));
    set.epoch_us = epoch_us(columns(line1, 19, 32, "epoch"));
    set.mean_motion_dot = decimal(columns(line1, 34, 43, "first derivative of mean motion"));
    set.mean_motion_ddot = implied_exponent(columns(line1, 45, 52, "second derivative of mean motion"));
    set.bstar = implied_exponent(columns(line1, 54, 61, "BSTAR"));
    set.inclination_deg = decimal(columns(line2, 9, 16, "inclination"), INCLINATION_BOUNDS);
    set.raan_deg = decimal(columns(line2, 18, 25, "right ascension of the node"), ANGLE_BOUNDS);
    set.eccentricity = implied_eccentricity(columns(line2, 27, 33, "eccentricity"));
    set.arg_perigee_deg = decimal(columns(line2, 35, 42, "argument of perigee"), ANGLE_BOUNDS);
    set.mean_anomaly_deg = decimal(columns(line2, 44, 51, "mean anomaly"), ANGLE_BOUNDS);
    set.mean_motion = decimal(columns(line2, 53, 63, "mean motion"), MEAN_MOTION_BOUNDS);
    const Field revolution = columns(line2, 64, 68, "revolution number");
    set.rev_at_epoch = trim(revolution.text).empty() ? 0 : whole_number(revolution, MAX_FIVE_DIGITS);
    return set;
}

// Reads the set the lines (at most SET_WINDOW) start with, or the problem
// of the first; returns the lines used.  A name line is the line before a
// line 1 and a line 2 of one object, whatever it holds ("1 ABC SAT") but
// a line 1 or 2 itself.
// Where no set is whole, a line not starting "1 " or "2 " is a name line,
// and the lines after it are read as the set whose fault the reading names.
std::size_t take_set(const std::string& display, std::span<const Line> lines, ElementSetsRead& out) {
    const auto at = [&](std::size_t i) { return i < lines.size() ? &lines[i] : nullptr; };
    const auto problem = [&](const Line& line, const char* what) {
        out.problems.add(display + ": line " + std::to_string(line.number) + ": " + what);
    };
    const bool a_line = is_line(at(0), '1', BLANKS_LINE1) || is_line(at(0), '2', BLANKS_LINE2);
    const bool named = !is_set(at(0), at(1)) &&
                       ((is_set(at(1), at(2)) && !a_line) || (!starts_line(at(0), '1') && !starts_line(at(0), '2')));
    const std::size_t first = named ? 1 : 0;  // line 1's place
    if (!starts_line(at(first), '1')) {
        problem(lines[0], named ? "no line 1 of a two-line set follows this name line"
                                : "line 2 of a two-line set without its line 1");
        return 1;
    }
    if (!starts_line(at(first + 1), '2')) {
        problem(lines[first], "line 1 of a two-line set without its line 2");
        return first + 1;
    }
    try {
        MeanElements set = two_line_set(named ? at(0) : nullptr, lines[first], lines[first + 1]);
        set.source = display + ", line " + std::to_string(lines[0].number);
        out.sets.push_back(std::move(set));
    } catch (const InputError& e) {
        out.problems.add(display + ": " + e.what());
    }
    return first + 2;
}

}  // namespace

void read_two_line(const std::string& display, std::string_view text, ElementSetsRead& out) {
    LineReader reader(display, text);
    std::vector<Line> ahead;  // the next lines that are not blank, trailing blanks dropped
    for (;;) {
        for (Line line{}; ahead.size() < SET_WINDOW && reader.next(line);) {
            line.text = line.text.substr(0, line.text.find_last_not_of(" \t") + 1);
            if (!line.text.empty()) ahead.push_back(line);
        }
        if (ahead.empty()) return;
        ahead.erase(ahead.begin(), ahead.begin() + static_cast<std::ptrdiff_t>(take_set(display, ahead, out)));
    }
}

}  // namespace talik::elements
