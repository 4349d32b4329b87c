// format.hpp - compiled record formats: the one facility through which every
// record of the program is read or written.  A format is parsed once and
// used for any number of records:
//
//   static const Format fmt("(I5,F7.2)");
//   write(unit, fmt, {Value(nrev), Value(hgt)});          // output
//   read(deck, fmt, {Target(&year), Target(&sma)});       // input
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "format/errors.hpp"
#include "numeric/single.hpp"

namespace talik {

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

// One step of a format with every repeat (of descriptors and of groups)
// expanded: what write and read walk through, left to right.
struct FormatStep {
    FormatItem::Kind kind = FormatItem::Kind::Literal;  // never GroupStart / GroupEnd
    std::uint16_t width = 0;                            // as in FormatItem
    std::uint16_t decimals = 0;
    std::uint32_t offset = 0;  // a literal's text in the format's literal pool
    std::uint32_t length = 0;
};

// A parenthesised list such as "(16I5)" or "(I6,2('/',I2),2F7.2)", compiled.
class Format {
public:
    // Parses the text.
    explicit Format(std::string_view text);

    const std::string& text() const { return text_; }
    const std::vector<FormatItem>& items() const { return items_; }

    // The expanded steps and the data descriptors among them (in order).
    const std::vector<FormatStep>& steps() const { return steps_; }
    const std::vector<FormatItem::Kind>& slots() const { return slots_; }
    std::string_view literal(const FormatStep& step) const {
        return std::string_view(pool_).substr(step.offset, step.length);
    }
    // True when the format holds a literal or an A descriptor (output only).
    bool output_only() const { return output_only_; }

private:
    std::string text_;
    std::vector<FormatItem> items_;  // repeat counts of single descriptors expanded
    std::vector<FormatStep> steps_;
    std::vector<FormatItem::Kind> slots_;
    std::string pool_;
    bool output_only_ = false;
};

// A value to be written: an integer (16 or 32 bits), a single or double
// real, or a fixed-length character value.
class Value {
public:
    enum class Kind : std::uint8_t { Integer, Single, Double, Text };

    constexpr Value(std::int16_t v) : kind_(Kind::Integer), integer_(v) {}  // NOLINT
    constexpr Value(std::int32_t v) : kind_(Kind::Integer), integer_(v) {}  // NOLINT
    constexpr Value(talik::Single v) : kind_(Kind::Single), real_(v) {}     // NOLINT
    constexpr Value(double v) : kind_(Kind::Double), real_(v) {}            // NOLINT
    constexpr Value(std::string_view v) : kind_(Kind::Text), text_(v) {}    // NOLINT
    constexpr Value(const char* v) : kind_(Kind::Text), text_(v) {}         // NOLINT

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
void write(Unit& unit, const Format& format, std::span<const Value> values);
void write(Unit& unit, const Format& format, std::initializer_list<Value> values);

// Formats into text instead of a unit: the records joined by '\n'.
std::string format_records(const Format& format, std::span<const Value> values);
std::string format_records(const Format& format, std::initializer_list<Value> values);

}  // namespace talik
