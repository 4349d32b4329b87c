// Deck::Deck, Deck::open, Deck::place, Deck::next_record - the input deck,
// held in memory and handed out record by record.
//
// Given:    name      string       what messages call the deck
//           contents  string       the deck's bytes
//           path      string       a file to read whole (open)
//           record    int          a record, 1-based (place)
//           first, last  int       its first and last column (place)
// Returned: (value)   Deck         the deck of the file, named by its path
//                                  (open)
//           (value)   string       "NAME: record 4, columns 11-20" ("column
//                                  7" for a single column), "NAME: record 4"
//                                  (place)
//           (value)   string_view  the next record without its line end
//                                  (next_record)
// Thrown:   InputError  open: "PATH: cannot read the deck: No such file or
//                       directory", "...: Is a directory", "...: larger than
//                       1 MiB"; next_record, when no record is left: "NAME:
//                       record 6 is missing (the deck ends after record 5)"
//
// Notes:
//  - A record ends at LF, CR LF or a CR alone (as some older editors save);
//    the last may lack its end.  A CR is always part of a line end; any
//    other byte (NUL, control characters, bytes above 127) is data.
//  - A UTF-8 byte order mark at the start belongs to no record.
//  - A file is read whole, in binary, and refused above 1 MiB (a deck is a
//    handful of short lines); a record is only ever a view of the contents.
#include "format/deck.hpp"
#include "format/text.hpp"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

namespace talik {

namespace {

constexpr std::size_t BYTES_PER_MIB = std::size_t{1024} * 1024;

[[noreturn]] void cannot_read(const std::string& path, const std::string& why) {
    throw InputError(path, "cannot read the deck: " + why);
}

[[noreturn]] void cannot_read(const std::string& path, int error) {
    cannot_read(path, std::generic_category().message(error != 0 ? error : EIO));
}

}  // namespace

Deck::Deck(std::string name, std::string contents) : name_(std::move(name)), contents_(std::move(contents)) {
    // A deck saved by an editor that marks UTF-8 files starts with the byte
    // order mark; it belongs to no record.
    position_ = contents_.size() - without_byte_order_mark(contents_).size();
}

Deck Deck::open(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) cannot_read(path, EISDIR);

    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) cannot_read(path, errno);
    std::string contents;
    char block[16384];
    bool failed = false;
    int error = 0;
    for (;;) {
        errno = 0;
        const std::size_t got = std::fread(block, 1, sizeof block, file);
        contents.append(block, got);
        if (contents.size() > DECK_BYTES_MAX) break;
        if (got < sizeof block) {
            if (std::ferror(file) != 0) {
                failed = true;
                error = errno;
            }
            break;
        }
    }
    std::fclose(file);
    if (failed) cannot_read(path, error);
    if (contents.size() > DECK_BYTES_MAX)
        cannot_read(path, "larger than " + std::to_string(DECK_BYTES_MAX / BYTES_PER_MIB) + " MiB");
    return Deck(path, std::move(contents));
}

std::string Deck::place(int record) const { return name_ + ": record " + std::to_string(record); }

std::string Deck::place(int record, int first, int last) const {
    return place(record) + (first == last ? ", column " + std::to_string(first)
                                          : ", columns " + std::to_string(first) + "-" + std::to_string(last));
}

std::string_view Deck::next_record() {
    if (position_ >= contents_.size()) {
        const int missing = records_read_ + 1;
        throw InputError(place(missing) + " is missing (" +
                         (records_read_ == 0 ? std::string("the deck is empty")
                                             : "the deck ends after record " + std::to_string(records_read_)) +
                         ")");
    }
    // A record ends at LF, CR LF or a CR alone (as some older editors save).
    const std::string_view all(contents_);
    std::size_t end = all.find_first_of("\r\n", position_);
    if (end == std::string_view::npos) end = all.size();
    const std::string_view line = all.substr(position_, end - position_);
    position_ = end + 1;  // past the line end; beyond the end when there was none
    if (end + 1 < all.size() && all[end] == '\r' && all[end + 1] == '\n') ++position_;
    ++records_read_;
    return line;
}

}  // namespace talik
