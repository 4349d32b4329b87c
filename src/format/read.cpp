// read - formatted input from the deck.
//
// Given:    deck     Deck             the deck, at the record to read next
//           format   Format           a compiled format of I, F, E, X and /
//           targets  span of Target   the variables (16- or 32-bit integers,
//                                     singles, doubles), in order
// Returned: targets                   filled from the deck's next record(s);
//                                     after an error, those before the faulty
//                                     field
// Thrown:   InputError   a record that is missing, a field that does not read:
//                        names the deck, the record, the columns and the text
//                        found
//           FormatError  before any reading: a format holding a literal or an
//                        A descriptor, more variables than data descriptors,
//                        a variable of the wrong kind (a real for I, an
//                        integer for F or E)
//
// Notes:
//  - Each read starts at the next record; a '/' moves on at once (so a
//    format ending in '/' needs the record after the last one it reads); when
//    the variables run out the rest of the record is skipped.
//  - A field is the next w columns, the columns past the record's end
//    counting as blanks.  Blanks and tabs are dropped wherever they stand;
//    an all-blank field reads as 0.
//  - Iw: an optional sign and digits.  An integer that does not fit its
//    variable is refused ("out of range"), never wrapped.
//  - Fw.d, and Ew.d alike: an optional sign, digits with an optional point
//    and an optional exponent (E or D); without a point the last d digits
//    are the fraction.  A comma is not a separator: the field "is not a
//    number".  A real too large for its variable is refused.
//  - A real's decimal text is normalised to digits and an exponent and
//    converted once, correctly rounded (strtof for a single: going through a
//    double first would round twice).
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "format/deck.hpp"
#include "format/text.hpp"

namespace talik {

namespace {

// The field with its blanks and tabs dropped.  A field is at most 1000
// columns (the format's limit).
std::string squeezed(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (const char c : field) {
        if (c != ' ' && c != '\t') out += c;
    }
    return out;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

enum class Fault { None, NotInteger, NotNumber, TooLarge, OutOfRange };

// Iw: an optional sign and digits.  Values past 10^15 are only ever out of
// range, so the accumulation stops growing there.
Fault parse_integer(const std::string& s, std::int64_t& value) {
    value = 0;
    if (s.empty()) return Fault::None;
    std::size_t i = 0;
    const bool negative = s[0] == '-';
    if (s[0] == '+' || s[0] == '-') ++i;
    if (i == s.size()) return Fault::NotInteger;
    for (; i < s.size(); ++i) {
        if (!is_digit(s[i])) return Fault::NotInteger;
        if (value < 1000000000000000LL) value = value * 10 + (s[i] - '0');
    }
    if (negative) value = -value;
    return Fault::None;
}

// Fw.d: [sign] digits [. digits] [(E|D) [sign] digits], at least one
// mantissa digit.  Builds "[-]DIGITSeEXP" for the one conversion.
Fault normalise_real(const std::string& s, int d, std::string& text) {
    text.clear();
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') text += '-';
        ++i;
    }
    std::size_t mantissa_digits = 0;
    long after_point = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (is_digit(s[i])) {
            ++mantissa_digits;
            if (point) ++after_point;
            text += s[i];
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (mantissa_digits == 0) return Fault::NotNumber;
    long exponent = 0;
    if (i < s.size()) {
        const char letter = s[i];
        if (letter != 'E' && letter != 'e' && letter != 'D' && letter != 'd') return Fault::NotNumber;
        ++i;
        bool negative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
        if (i == s.size()) return Fault::NotNumber;
        for (; i < s.size(); ++i) {
            if (!is_digit(s[i])) return Fault::NotNumber;
            // far beyond any double: saturate, strto* gives inf or 0
            if (exponent < 100000) exponent = exponent * 10 + (s[i] - '0');
        }
        if (negative) exponent = -exponent;
    }
    // without a point the last d digits are the fraction
    exponent -= point ? after_point : d;
    text += 'e';
    text += std::to_string(exponent);
    return Fault::None;
}

Fault parse_real(const std::string& s, int d, Target target, std::string& text) {
    if (s.empty()) {
        if (target.kind() == Target::Kind::Single) {
            *static_cast<Single*>(target.pointer()) = 0.0;
        } else {
            *static_cast<double*>(target.pointer()) = 0.0;
        }
        return Fault::None;
    }
    const Fault fault = normalise_real(s, d, text);
    if (fault != Fault::None) return fault;
    if (target.kind() == Target::Kind::Single) {
        const float value = std::strtof(text.c_str(), nullptr);
        if (value == HUGE_VALF || value == -HUGE_VALF) return Fault::TooLarge;
        *static_cast<Single*>(target.pointer()) = static_cast<double>(value);
    } else {
        const double value = std::strtod(text.c_str(), nullptr);
        if (value == HUGE_VAL || value == -HUGE_VAL) return Fault::TooLarge;
        *static_cast<double*>(target.pointer()) = value;
    }
    return Fault::None;
}

bool fits(FormatItem::Kind slot, Target::Kind kind) {
    if (slot == FormatItem::Kind::Integer) return kind == Target::Kind::Int16 || kind == Target::Kind::Int32;
    return kind == Target::Kind::Single || kind == Target::Kind::Double;
}

void check_targets(const Format& format, std::span<const Target> targets) {
    if (format.output_only()) {
        throw FormatError("format \"" + format.text() + "\" holds a literal or an A descriptor: it cannot read");
    }
    const auto& slots = format.slots();
    if (targets.size() > slots.size()) {
        throw FormatError("format \"" + format.text() + "\" has " + std::to_string(slots.size()) +
                          " data descriptors for " + std::to_string(targets.size()) + " variables");
    }
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (!fits(slots[i], targets[i].kind())) {
            throw FormatError("format \"" + format.text() + "\": variable " + std::to_string(i + 1) +
                              " is of the wrong kind for its descriptor");
        }
    }
}

}  // namespace

void read(Deck& deck, const Format& format, std::span<const Target> targets) {
    check_targets(format, targets);
    std::string_view record = deck.next_record();
    std::size_t column = 0;  // columns before the next field
    std::size_t next = 0;
    std::string normalised;
    for (const FormatStep& step : format.steps()) {
        if (step.kind == FormatItem::Kind::Skip) {
            column += step.width;
            continue;
        }
        if (step.kind == FormatItem::Kind::Slash) {
            record = deck.next_record();
            column = 0;
            continue;
        }
        if (next == targets.size()) break;  // the rest of the record is skipped
        const Target target = targets[next++];
        const std::string_view field = column < record.size() ? record.substr(column, step.width) : std::string_view();
        const std::string text = squeezed(field);
        Fault fault = Fault::None;
        std::string range;
        if (step.kind == FormatItem::Kind::Integer) {
            std::int64_t value = 0;
            fault = parse_integer(text, value);
            if (fault == Fault::None) {
                if (target.kind() == Target::Kind::Int16) {
                    if (value < INT16_MIN || value > INT16_MAX) {
                        fault = Fault::OutOfRange;
                        range = "(-32768 to 32767)";
                    } else {
                        *static_cast<std::int16_t*>(target.pointer()) = static_cast<std::int16_t>(value);
                    }
                } else {
                    if (value < INT32_MIN || value > INT32_MAX) {
                        fault = Fault::OutOfRange;
                        range = "(-2147483648 to 2147483647)";
                    } else {
                        *static_cast<std::int32_t*>(target.pointer()) = static_cast<std::int32_t>(value);
                    }
                }
            }
        } else {
            fault = parse_real(text, step.decimals, target, normalised);
        }
        if (fault != Fault::None) {
            std::string problem = quote(field);
            switch (fault) {
            case Fault::NotInteger: problem += " is not an integer"; break;
            case Fault::NotNumber: problem += " is not a number"; break;
            case Fault::TooLarge: problem += " is too large"; break;
            default: problem += " is out of range " + range; break;
            }
            const auto first = static_cast<int>(column + 1);
            throw InputError(deck.place(deck.records_read(), first, first + step.width - 1), problem);
        }
        column += step.width;
    }
}

void read(Deck& deck, const Format& format, std::initializer_list<Target> targets) {
    read(deck, format, std::span<const Target>(targets.begin(), targets.size()));
}

}  // namespace talik
