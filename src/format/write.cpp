// write, format_records - formatted output.
//
// Given:    unit     Unit            where each finished record goes (write)
//           format   Format          a compiled format
//           values   span of Value   the values (integers, singles, doubles,
//                                    texts), in order
// Returned: the records, handed to unit.record() without line ends (write),
//           or joined by '\n' (format_records: for tests and for callers
//           that build a record piecewise)
// Thrown:   FormatError  before anything is written: more values than the
//                        format has data descriptors, or a value of the wrong
//                        kind for its descriptor (an integer for F or E, a
//                        real for I, text for I, F or E, a number for A)
//
// Notes:
//  - Output stops at the first data descriptor left without a value.  No
//    format of this program reuses itself, so values left over are an error.
//  - Iw is right-justified.  Fw.d and Ew.d round half away from zero on the
//    exact value stored, to no more than 7 significant digits for a single
//    (16 for a double), later digits shown as 0; no 0 before the point
//    (except "0." for a zero F with d = 0), no minus on a value that rounds
//    to zero.  An exponent beyond 99 (doubles only) is written as a sign and
//    three digits in place of the E.  A value that is not a number shows as
//    "NaN", an infinite one as "Inf" or "-Inf", right-justified.  A value
//    too wide for its field is asterisks.  The conversions: fields.cpp.
//  - A writes the whole text; Aw the first w characters, a shorter text
//    right-justified.
//  - Records are built in a buffer on the stack (a record longer than it
//    moves to the heap, which only very long A values cause).  The values
//    are checked before anything is written, so a mismatch never leaves half
//    a report.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "format/fields.hpp"
#include "format/format.hpp"

namespace talik {

namespace {

class RecordBuffer {
public:
    RecordBuffer() = default;
    RecordBuffer(const RecordBuffer&) = delete;
    RecordBuffer& operator=(const RecordBuffer&) = delete;

    // Room for n more bytes, which the caller fills.
    char* extend(std::size_t n) {
        if (size_ + n > capacity_) grow(size_ + n);
        char* p = data_ + size_;
        size_ += n;
        return p;
    }
    std::string_view view() const { return {data_, size_}; }
    void clear() { size_ = 0; }

private:
    void grow(std::size_t need) {
        std::string bigger;
        bigger.resize(std::max(need, 2 * capacity_));
        std::memcpy(bigger.data(), data_, size_);
        heap_ = std::move(bigger);
        data_ = heap_.data();
        capacity_ = heap_.size();
    }

    char stack_[1024]{};
    std::string heap_;
    char* data_ = stack_;
    std::size_t size_ = 0;
    std::size_t capacity_ = sizeof stack_;
};

const char* kind_name(Value::Kind kind) {
    switch (kind) {
    case Value::Kind::Integer: return "an integer";
    case Value::Kind::Single: return "a single real";
    case Value::Kind::Double: return "a double real";
    case Value::Kind::Text: return "a text";
    }
    return "a value";
}

bool fits(FormatItem::Kind slot, Value::Kind kind) {
    switch (slot) {
    case FormatItem::Kind::Integer: return kind == Value::Kind::Integer;
    case FormatItem::Kind::Fixed:
    case FormatItem::Kind::Exponent: return kind == Value::Kind::Single || kind == Value::Kind::Double;
    case FormatItem::Kind::Text: return kind == Value::Kind::Text;
    default: return false;
    }
}

void check_values(const Format& format, std::span<const Value> values) {
    const auto& slots = format.slots();
    if (values.size() > slots.size()) {
        throw FormatError("format \"" + format.text() + "\" has " + std::to_string(slots.size()) +
                          " data descriptors for " + std::to_string(values.size()) + " values");
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!fits(slots[i], values[i].kind())) {
            throw FormatError("format \"" + format.text() + "\": value " + std::to_string(i + 1) + " is " +
                              kind_name(values[i].kind()) + ", which its descriptor cannot write");
        }
    }
}

void run(Unit& unit, const Format& format, std::span<const Value> values) {
    check_values(format, values);
    RecordBuffer record;
    std::size_t next = 0;
    for (const FormatStep& step : format.steps()) {
        switch (step.kind) {
        case FormatItem::Kind::Literal: {
            const std::string_view text = format.literal(step);
            if (text.size() == 1) {  // '/' and ':' of the data lines
                *record.extend(1) = text[0];
            } else {
                std::memcpy(record.extend(text.size()), text.data(), text.size());
            }
            continue;
        }
        case FormatItem::Kind::Skip:
            if (step.width == 1) {
                *record.extend(1) = ' ';
            } else {
                std::memset(record.extend(step.width), ' ', step.width);
            }
            continue;
        case FormatItem::Kind::Slash:
            unit.record(record.view());
            record.clear();
            continue;
        default: break;
        }
        if (next == values.size()) break;  // no value left: the record ends here
        const Value& value = values[next++];
        const int w = step.width;
        switch (step.kind) {
        case FormatItem::Kind::Integer: fields::put_integer(record.extend(step.width), w, value.integer()); break;
        case FormatItem::Kind::Fixed:
            fields::put_fixed(record.extend(step.width), w, step.decimals, value.real(),
                              value.kind() == Value::Kind::Single ? 7 : 16);
            break;
        case FormatItem::Kind::Exponent:
            fields::put_exponent(record.extend(step.width), w, step.decimals, value.real(),
                                 value.kind() == Value::Kind::Single ? 7 : 16);
            break;
        case FormatItem::Kind::Text: {
            const std::string_view text = value.text();
            if (w == 0) {
                std::memcpy(record.extend(text.size()), text.data(), text.size());
            } else if (text.size() >= static_cast<std::size_t>(w)) {
                std::memcpy(record.extend(step.width), text.data(), step.width);
            } else {
                // a shorter text stands at the right of its field
                char* p = record.extend(step.width);
                const std::size_t pad = step.width - text.size();
                std::memset(p, ' ', pad);
                std::memcpy(p + pad, text.data(), text.size());
            }
            break;
        }
        default: break;
        }
    }
    unit.record(record.view());
}

// Collects records joined by '\n'.
class Collector : public Unit {
public:
    void record(std::string_view text) override {
        if (count_++ > 0) text_ += '\n';
        text_ += text;
    }
    std::string take() { return std::move(text_); }

private:
    std::string text_;
    int count_ = 0;
};

}  // namespace

void write(Unit& unit, const Format& format, std::span<const Value> values) { run(unit, format, values); }

void write(Unit& unit, const Format& format, std::initializer_list<Value> values) {
    run(unit, format, std::span<const Value>(values.begin(), values.size()));
}

std::string format_records(const Format& format, std::span<const Value> values) {
    Collector collector;
    run(collector, format, values);
    return collector.take();
}

std::string format_records(const Format& format, std::initializer_list<Value> values) {
    return format_records(format, std::span<const Value>(values.begin(), values.size()));
}

}  // namespace talik
