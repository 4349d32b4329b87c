// format.hpp - compiled record formats: the one facility through which every
// record of the program is read or written.
//
// A format is a parenthesised list such as "(16I5)" or
// "(I6,I5,2('/',I2),I3,2(':',I2),10X,2A1,2F7.2,4F8.2,5X,A1,1X,A1)".  It is
// parsed once into a Format and then used for any number of records:
//
//   static const Format fmt("(I5,F7.2)");
//   write(unit, fmt, {Value(nrev), Value(hgt)});          // output
//   read(deck, fmt, {Target(&year), Target(&sma)});       // input
//
// Elements: 'literal', nX, /, Iw, Fw.d, Ew.d, A, Aw, repeat counts (2A1) and
// nested repeat groups (2('/',I2)); descriptor letters in either case.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "format/numeric.hpp"

namespace talik {

// A format text that cannot be parsed (a programming error, not user input).
class FormatError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// A deck that cannot be read as its format demands; what() is the whole
// message without the program's name, e.g.
//   DECK: record 2, columns 36-40: "12a45" is not an integer
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One element of a compiled format.
struct FormatItem {
    enum class Kind : std::uint8_t { Literal, Skip, Slash, Integer, Fixed, Exponent, Text, GroupStart, GroupEnd };
    Kind kind = Kind::Literal;
    int width = 0;        // w of Iw, Fw.d, Ew.d, Aw (0 for a bare A); n of nX
    int decimals = 0;     // d of Fw.d and Ew.d
    int repeat = 1;       // repeat count of a group (on GroupStart)
    int partner = 0;      // index of the matching GroupStart / GroupEnd
    std::string literal;  // text of a literal
};

class Format {
public:
    // Throws FormatError when the text is not a valid format.
    explicit Format(std::string_view text);

    const std::string& text() const { return text_; }
    const std::vector<FormatItem>& items() const { return items_; }

private:
    std::string text_;
    std::vector<FormatItem> items_;  // repeat counts of single descriptors expanded
};

// A value to be written: an integer (16 or 32 bits), a single or double
// real, or a fixed-length character value.
class Value {
public:
    enum class Kind : std::uint8_t { Integer, Single, Double, Text };

    constexpr Value(std::int16_t v) : kind_(Kind::Integer), integer_(v) {}    // NOLINT
    constexpr Value(std::int32_t v) : kind_(Kind::Integer), integer_(v) {}    // NOLINT
    constexpr Value(talik::Single v) : kind_(Kind::Single), real_(v) {}       // NOLINT
    constexpr Value(double v) : kind_(Kind::Double), real_(v) {}              // NOLINT
    constexpr Value(std::string_view v) : kind_(Kind::Text), text_(v) {}      // NOLINT
    constexpr Value(const char* v) : kind_(Kind::Text), text_(v) {}           // NOLINT

    constexpr Kind kind() const { return kind_; }
    constexpr std::int32_t integer() const { return integer_; }
    constexpr double real() const { return real_; }  // exact value of the stored single or double
    constexpr std::string_view text() const { return text_; }

private:
    Kind kind_;
    std::int32_t integer_ = 0;
    double real_ = 0.0;
    std::string_view text_;
};

// Where a formatted write sends its records.
class Unit {
public:
    virtual ~Unit() = default;
    // One record, without any line end.
    virtual void record(std::string_view text) = 0;
};

// Formats the values into one or more records and hands each to the unit.
// Output stops at the first data descriptor left without a value.
void write(Unit& unit, const Format& format, std::span<const Value> values);
void write(Unit& unit, const Format& format, std::initializer_list<Value> values);

// Formats into text instead of a unit: the records joined by '\n' (for tests
// and for callers that build a record piecewise).
std::string format_records(const Format& format, std::span<const Value> values);
std::string format_records(const Format& format, std::initializer_list<Value> values);

}  // namespace talik
