// deck.hpp - the input deck, a sequential text file of records, and
// formatted reads from it.
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

// The records of a deck, handed out in order.
// The largest deck read, bytes: a deck is a handful of short lines.
inline constexpr std::size_t DECK_BYTES_MAX = std::size_t{1024} * 1024;

class Deck {
public:
    // A deck held in memory; name is what error messages call it.
    Deck(std::string name, std::string contents);
    // The deck of a file, read whole.
    static Deck open(const std::string& path);

    const std::string& name() const { return name_; }
    // Number of records taken so far (the record being read, during a read).
    int records_read() const { return records_read_; }

    // Where a value of the deck stands, as messages name it: "NAME: record
    // 4, columns 11-20", "NAME: record 4".
    std::string place(int record, int first, int last) const;
    std::string place(int record) const;

    // True when every record has been taken.
    bool at_end() const { return position_ >= contents_.size(); }
    // Takes the next record.
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

// Reads the deck's next record(s) into the targets, in order.
void read(Deck& deck, const Format& format, std::span<const Target> targets);
void read(Deck& deck, const Format& format, std::initializer_list<Target> targets);

}  // namespace talik
