// deck.hpp - the input deck and formatted reads from it.
//
// A deck is a sequential text file of records (lines ending in LF, CR LF or CR;
// the last line may lack its end).  Each formatted read starts at the next
// record; a '/' in the format moves to the record after; when the variables
// run out the rest of the current record is skipped.
//
// Numeric fields: blanks and tabs anywhere in the field are ignored, an
// all-blank field reads as 0, a record shorter than the field counts as
// padded with blanks.  Iw takes an optional sign and digits; Fw.d an optional
// sign, digits with an optional point and an optional exponent (E or D);
// without a point the last d digits are the fraction.  Anything else is an
// InputError naming the deck, the record, the columns and the text found; so
// is a record that is missing, an integer that does not fit its 16- or
// 32-bit variable (it is refused, never wrapped) and a real too large for
// its variable.  A comma inside a numeric field is not a separator here:
// the field "is not a number" (or "is not an integer").  Ew.d reads like
// Fw.d.  Each real is converted from its decimal text exactly once, with
// correct rounding to its single or double variable.
//
// A '/' moves on at once: a format ending in '/' needs the record after the
// last one it reads.  A format holding a literal or an A descriptor, more
// variables than data descriptors, or a variable of the wrong kind (a real
// for I, an integer for F or E) is a FormatError thrown before any reading.
//
// A CR is always part of a line end (alone, or before a LF); any other byte
// (NUL, control characters, bytes above 127) is data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "format/format.hpp"
#include "numeric/single.hpp"

namespace talik {

class Deck {
public:
    // A deck held in memory; name is what error messages call it.
    Deck(std::string name, std::string contents);
    // Reads the whole file; throws InputError ("PATH: cannot read the deck:
    // No such file or directory", "...: Is a directory", "...: larger than
    // 1 MiB").
    static Deck open(const std::string& path);

    const std::string& name() const { return name_; }
    // Number of records taken so far (the record being read, during a read).
    int records_read() const { return records_read_; }

    // Where a value of the deck stands, as messages name it: "NAME: record
    // 4, columns 11-20" ("column 7" for a single column), "NAME: record 4".
    std::string place(int record, int first, int last) const;
    std::string place(int record) const;

    // True when every record has been taken.
    bool at_end() const { return position_ >= contents_.size(); }
    // Takes the next record; throws InputError when the deck has no more.
    std::string_view next_record();

private:
    std::string name_;
    std::string contents_;
    std::size_t position_ = 0;
    int records_read_ = 0;
};

// A variable to be read into.
class Target {
public:
    enum class Kind : std::uint8_t { Int16, Int32, Single, Double };
    Target(std::int16_t* p) : kind_(Kind::Int16), p_(p) {}  // NOLINT
    Target(std::int32_t* p) : kind_(Kind::Int32), p_(p) {}  // NOLINT
    Target(Single* p) : kind_(Kind::Single), p_(p) {}       // NOLINT
    Target(double* p) : kind_(Kind::Double), p_(p) {}       // NOLINT
    Kind kind() const { return kind_; }
    void* pointer() const { return p_; }

private:
    Kind kind_;
    void* p_;
};

// Reads records of the deck into the targets, in order.  On an InputError
// the targets before the faulty field have been stored.
void read(Deck& deck, const Format& format, std::span<const Target> targets);
void read(Deck& deck, const Format& format, std::initializer_list<Target> targets);

}  // namespace talik
