// deck_text, as_deck_real, real_field - a deck as text.
//
// Given:    d       RunDescription  the run (deck_text)
//           x       double, Single  a real (as_deck_real, real_field)
//           width   int             columns of the field (real_field)
// Returned: (value) string          the deck that the deck reader reads as d
//                                   (deck_text); x right-justified in its
//                                   field (real_field)
//           (value) Single          the single the deck reader reads from x
//                                   as deck_text writes it (as_deck_real)
// Thrown:   InternalError           an integer that does not fit its field
//                                   (deck_text)
//
// Notes:
//  - deck_text writes record 1 the output choice (I2), record 2 the run line
//    (I5 fields), records 3 to 5 the element set (I5 fields, then F10.0
//    fields), each line ended by LF, the fifth field of the rates record
//    left blank.  Each real takes the last REAL_DIGITS of its ten columns,
//    the first kept blank so that no two numbers touch.
//  - real_field writes as many digits as the field allows among the texts
//    the deck reader reads back as exactly x: fixed point with the most
//    decimals that fit, else an exponent form; for a value no text of that
//    width reads back exactly, the nearest that fits.
//  - A real is read back with one correctly rounded conversion to a single
//    (strtof), so a text is kept when strtof gives the same float.  A zero
//    before the point is dropped ("-.0318") to leave a column for another
//    digit; exponents are written without their leading zeros ("1.25E-5").
#include "deck/deck_text.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "format/errors.hpp"

namespace talik {

namespace {

// "-0.5" -> "-.5", "0.25" -> ".25".
std::string without_leading_zero(std::string text) {
    const std::size_t zero = text[0] == '-' ? 1 : 0;
    if (text.size() > zero + 1 && text[zero] == '0' && text[zero + 1] == '.') text.erase(zero, 1);
    return text;
}

// "1.25E-05" -> "1.25E-5", "3.0E+02" -> "3.0E2".
std::string short_exponent(const std::string& text) {
    const std::size_t e = text.find('E');
    std::string exponent = text.substr(e + 1);
    const bool negative = exponent[0] == '-';
    const std::size_t digits = exponent.find_first_not_of("+-0");
    exponent = digits == std::string::npos ? "0" : exponent.substr(digits);
    return without_leading_zero(text.substr(0, e)) + "E" + (negative ? "-" : "") + exponent;
}

std::string integer_field(long value, int width) {
    const std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) > width) {
        throw InternalError("deck_text: " + text + " does not fit " + std::to_string(width) + " columns");
    }
    return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

std::string right(const std::string& text, int width) {
    return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

}  // namespace

std::string real_field(Single x, int width) {
    if (x == 0.0 && !std::signbit(static_cast<double>(x)) && width >= 3) return right("0.0", width);
    const auto w = static_cast<std::size_t>(width);
    std::string nearest;
    double nearest_error = INFINITY;
    auto consider = [&](const std::string& text) {
        if (text.size() > w) return false;
        const float back = std::strtof(text.c_str(), nullptr);
        if (back == x.f()) return true;
        const double error = std::fabs(static_cast<double>(back) - x);
        if (error < nearest_error) {
            nearest_error = error;
            nearest = text;
        }
        return false;
    };
    char buf[64];
    // Fixed point with more decimals than the digits before the point leave
    // room for is too wide anyway (one more is tried, for a carry).
    const double magnitude = std::fabs(static_cast<double>(x));
    const int whole_digits = magnitude < 1.0 ? 0 : static_cast<int>(std::floor(std::log10(magnitude))) + 1;
    const int room = width - 1 - whole_digits - (std::signbit(static_cast<double>(x)) ? 1 : 0);
    for (int decimals = std::clamp(room + 1, 0, width - 1); decimals >= 0; --decimals) {
        const auto fixed =
            std::to_chars(buf, buf + sizeof buf, static_cast<double>(x), std::chars_format::fixed, decimals);
        const std::string text = without_leading_zero(std::string(buf, fixed.ptr));
        if (consider(text)) return right(text, width);
    }
    for (int digits = 9; digits >= 1; --digits) {
        const auto scientific =
            std::to_chars(buf, buf + sizeof buf, static_cast<double>(x), std::chars_format::scientific, digits - 1);
        std::string text(buf, scientific.ptr);
        text[text.find('e')] = 'E';
        text = short_exponent(text);
        if (consider(text)) return right(text, width);
    }
    return right(nearest, width);
}

Single as_deck_real(double x) { return std::strtof(real_field(Single(x), REAL_DIGITS).c_str(), nullptr); }

std::string deck_text(const RunDescription& d) {
    const RunLine& l = d.line;
    const ElementSet& s = d.elements;
    std::string text = integer_field(d.IOUT, 2) + "\n";
    for (const std::int16_t v : l.DTSTRT) text += integer_field(v, 5);
    text += integer_field(l.ISTEP, 5) + integer_field(l.NCALC, 5) + integer_field(l.ISTA, 5) + "\n";
    for (const std::int16_t v : s.EPOCH) text += integer_field(v, 5);
    text += integer_field(s.NREV0, 5) + "\n";
    const auto reals = s.reals();
    for (std::size_t i = 0; i < reals.size(); ++i) {
        text += " " + real_field(reals[i], REAL_DIGITS);
        if (i == 5 || i == 9) text += "\n";
    }
    return text;
}

}  // namespace talik
