// refuse, trim, equal_ignoring_case, decimal, whole_number, alpha5_number,
// text_value, iso_epoch_us - field conversions shared by the element-set
// readers.
//
// Given:    field      Field        a field's text and its label for
//                                   messages
//           complaint  string       what is wrong with it (refuse)
//           text       string_view  any text (trim, alpha5_number)
//           a, b       string_view  two texts (equal_ignoring_case)
//           bounds     Bounds       the range a decimal must lie in
//           max        int32        the largest whole number taken
// Returned: (value)    string_view  the text without the blanks, tabs and
//                                   line ends around it (trim)
//           (value)    bool         whether a and b are equal, the case of
//                                   ASCII letters ignored
//                                   (equal_ignoring_case)
//           (value)    double       a decimal number: optional sign, digits
//                                   with an optional point, optional
//                                   exponent ("-.22483E-4", "10.84869164",
//                                   "+5"), correctly rounded, finite and
//                                   within bounds (decimal)
//           (value)    int32        digits only, at most max (whole_number)
//           (value)    int32        a catalogue number in the two-line
//                                   sets' Alpha-5 form: a letter (not I or
//                                   O) and four digits, A0000 = 100000 ...
//                                   Z9999 = 339999; none for any other text
//                                   (alpha5_number)
//           (value)    string       a name or designator, at most
//                                   MAX_ELEMENT_FIELD_BYTES (text_value)
//           (value)    int64        "YYYY-MM-DDThh:mm:ss[.f...][Z]" or
//                                   "YYYY-DDDThh:mm:ss[.f...][Z]" (UTC) as
//                                   microseconds since 1970, the fraction
//                                   rounded to the nearest microsecond (a
//                                   half upwards) (iso_epoch_us)
// Thrown:   InputError              "LABEL: complaint" for a field that
//                                   cannot be taken (refuse always); the
//                                   reader prefixes the source's name and
//                                   skips the set
//
// Notes:
//  - Blanks around a field are ignored; a field longer than
//    MAX_ELEMENT_FIELD_BYTES is refused before it is converted.
//  - Decimal text goes through std::from_chars, which rounds correctly
//    whatever the locale, so the same digits give the same double in every
//    encoding; the syntax is checked first, since from_chars would also
//    take "inf", "nan" and a bare exponent-less hexadecimal form never seen
//    in an element set.
#include "elements/fields.hpp"
#include "format/text.hpp"

#include <algorithm>
#include <charconv>
#include <system_error>

#include "time/gregorian.hpp"

namespace talik::elements {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::size_t skip_digits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && is_digit(text[pos])) ++pos;
    return pos;
}

bool is_decimal(std::string_view text) {
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    const std::size_t integer_end = skip_digits(text, pos);
    std::size_t digits = integer_end - pos;
    pos = integer_end;
    if (pos < text.size() && text[pos] == '.') {
        const std::size_t fraction_end = skip_digits(text, pos + 1);
        digits += fraction_end - pos - 1;
        pos = fraction_end;
    }
    if (digits == 0) return false;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
        const std::size_t exponent_end = skip_digits(text, pos);
        if (exponent_end == pos) return false;
        pos = exponent_end;
    }
    return pos == text.size();
}

std::string_view checked_length(const Field& field) {
    const std::string_view text = trim(field.text);
    if (text.size() > MAX_ELEMENT_FIELD_BYTES) {
        refuse(field,
               std::to_string(text.size()) + " characters, more than " + std::to_string(MAX_ELEMENT_FIELD_BYTES));
    }
    return text;
}

// Reads exactly count digits at pos into value; false when they are not there.
bool fixed_digits(std::string_view text, std::size_t& pos, std::size_t count, std::int64_t& value) {
    if (pos + count > text.size()) return false;
    value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (!is_digit(text[pos + i])) return false;
        value = value * 10 + (text[pos + i] - '0');
    }
    pos += count;
    return true;
}

bool literal(std::string_view text, std::size_t& pos, char c) {
    if (pos >= text.size() || text[pos] != c) return false;
    ++pos;
    return true;
}

// Microseconds of a decimal fraction of a second given by its digits,
// rounded to the nearest (a half upwards).
std::int64_t fraction_us(std::string_view digits) {
    std::int64_t us = 0;
    for (std::size_t i = 0; i < 6; ++i) us = us * 10 + (i < digits.size() ? digits[i] - '0' : 0);
    if (digits.size() > 6 && digits[6] >= '5') ++us;
    return us;
}

}  // namespace

void refuse(const Field& field, const std::string& complaint) { throw InputError(field.label + ": " + complaint); }

std::string_view trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

double decimal(const Field& field, const Bounds& bounds) {
    const std::string_view text = checked_length(field);
    if (!is_decimal(text)) refuse(field, quote(text) + " is not a number");
    const std::string_view digits = text[0] == '+' ? text.substr(1) : text;
    double value = 0.0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range) refuse(field, quote(text) + " is out of range");
    if (error != std::errc{} || end != digits.data() + digits.size()) refuse(field, quote(text) + " is not a number");
    const bool above_low = bounds.low_open ? value > bounds.low : value >= bounds.low;
    const bool below_high = bounds.high_open ? value < bounds.high : value <= bounds.high;
    if (!above_low || !below_high) refuse(field, quote(text) + " is " + bounds.refusal);
    return value;
}

std::int32_t whole_number(const Field& field, std::int32_t max) {
    const std::string_view text = checked_length(field);
    if (text.empty() || skip_digits(text, 0) != text.size()) refuse(field, quote(text) + " is not a whole number");
    std::int64_t value = 0;
    for (const char c : text) {
        value = value * 10 + (c - '0');
        if (value > max) refuse(field, quote(text) + " is above " + std::to_string(max));
    }
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> alpha5_number(std::string_view text) {
    constexpr std::string_view LETTERS = "ABCDEFGHJKLMNPQRSTUVWXYZ";  // I and O look like 1 and 0
    constexpr std::int32_t FIRST_LETTER_VALUE = 10;
    if (text.size() != 5 || skip_digits(text, 1) != 5) return std::nullopt;
    const std::size_t letter = LETTERS.find(text[0]);
    if (letter == std::string_view::npos) return std::nullopt;
    const std::int32_t number = (static_cast<std::int32_t>(letter) + FIRST_LETTER_VALUE) * 10000;
    return number + std::stoi(std::string(text.substr(1)));
}

std::string text_value(const Field& field) { return std::string(checked_length(field)); }

std::int64_t iso_epoch_us(const Field& field) {
    std::string_view text = checked_length(field);
    const std::string complaint = quote(text);
    if (!text.empty() && (text.back() == 'Z' || text.back() == 'z')) text.remove_suffix(1);
    std::size_t pos = 0;
    std::int64_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool shape = fixed_digits(text, pos, 4, year) && literal(text, pos, '-');
    const bool day_of_year_form = shape && pos + 3 < text.size() && text[pos + 3] == 'T';
    if (day_of_year_form) {
        shape = fixed_digits(text, pos, 3, day);
    } else {
        shape = shape && fixed_digits(text, pos, 2, month) && literal(text, pos, '-') &&
                fixed_digits(text, pos, 2, day);
    }
    shape = shape && literal(text, pos, 'T') && fixed_digits(text, pos, 2, hour) && literal(text, pos, ':') &&
            fixed_digits(text, pos, 2, minute) && literal(text, pos, ':') && fixed_digits(text, pos, 2, second);
    std::string_view fraction;
    if (shape && pos < text.size()) {
        shape = literal(text, pos, '.') && pos < text.size() && skip_digits(text, pos) == text.size();
        fraction = text.substr(pos);
    }
    if (!shape) refuse(field, complaint + " is not a date and time (YYYY-MM-DDThh:mm:ss.ffffff)");
    const bool date_exists = day_of_year_form ? day >= 1 && day <= (leap_year(year) ? 366 : 365)
                                              : month >= 1 && month <= 12 && day >= 1 &&
                                                    day <= month_length(year, static_cast<int>(month));
    if (!date_exists || hour > 23 || minute > 59 || second > 59) {
        refuse(field, complaint + " is not a date and time that exists");
    }
    const std::int64_t days = day_of_year_form ? days_from_civil(year, 1, 1) + day - 1
                                               : days_from_civil(year, static_cast<int>(month), static_cast<int>(day));
    return days * MICROSECONDS_PER_DAY + ((hour * 60 + minute) * 60 + second) * MICROSECONDS_PER_SECOND +
           fraction_us(fraction);
}

}  // namespace talik::elements
