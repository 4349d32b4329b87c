// readers.hpp - one reader per encoding, each appending the sets of one
// source to what has been read; and the line handling they share.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "elements/elements.hpp"

namespace talik::elements {

// Whether text[pos] ends a line: an LF, or a CR not followed by LF (a CR
// LF ends its line at the LF).
bool ends_line(std::string_view text, std::size_t pos);

// The line starting at pos, without its end (LF, CR LF or CR); pos moves
// past the end.
std::string_view take_line(std::string_view text, std::size_t& pos);

struct Line {
    std::string_view text;  // without its line end
    std::size_t number;     // 1-based
};

// The lines of a text one at a time, so that a text of millions of lines
// costs no memory per line; a UTF-8 byte order mark is dropped.
class LineReader {
public:
    LineReader(const std::string& display, std::string_view text);
    // The next line into line; false at the end of the text.  Throws
    // InputError for a line longer than MAX_ELEMENT_LINE_BYTES.
    bool next(Line& line);

private:
    const std::string& display_;
    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t number_ = 0;
};

// The line of an offset into a text, counted on from the offset asked for
// before (forward or back), so that asking in the text's order costs one
// pass and no memory per line.
class LineCounter {
public:
    explicit LineCounter(std::string_view text) : text_(text) {}
    std::size_t line_of(std::size_t offset);  // 1-based

private:
    std::size_t ends_between(std::size_t from, std::size_t to) const;
    std::string_view text_;
    std::size_t offset_ = 0;
    std::size_t line_ = 1;
};

// One reader per encoding: the sets of text appended to out, a set that
// cannot be read told in out.problems; display names the source.
void read_two_line(const std::string& display, std::string_view text, ElementSetsRead& out);
void read_kvn(const std::string& display, std::string_view text, ElementSetsRead& out);
void read_xml(const std::string& display, std::string_view text, ElementSetsRead& out);
void read_json(const std::string& display, std::string_view text, ElementSetsRead& out);
void read_csv(const std::string& display, std::string_view text, ElementSetsRead& out);

}  // namespace talik::elements
