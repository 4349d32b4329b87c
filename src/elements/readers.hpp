// readers.hpp - one reader per encoding, each appending the sets of one
// source to what has been read; and the line splitting they share.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "elements/elements.hpp"

namespace talik::elements {

struct Line {
    std::string_view text;  // without its LF or CR LF
    std::size_t number;     // 1-based
};

// The lines of a text (ending LF or CR LF), a UTF-8 byte order mark
// dropped; throws InputError for a line longer than MAX_ELEMENT_LINE_BYTES.
std::vector<Line> split_lines(const std::string& display, std::string_view text);

void read_two_line(const std::string& display, std::string_view text, ElementSetsRead& out);
void read_kvn(const std::string& display, std::string_view text, ElementSetsRead& out);
void read_xml(const std::string& display, std::string_view text, ElementSetsRead& out);
void read_json(const std::string& display, std::string_view text, ElementSetsRead& out);
void read_csv(const std::string& display, std::string_view text, ElementSetsRead& out);

}  // namespace talik::elements
