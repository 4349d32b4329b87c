// read_kvn - mean-element messages as KEY = value lines.
//
// Given:    display  string           the source's name in messages
//           text     string_view      one or several messages, each opening
//                                     with a CCSDS_OMM_VERS line
//           out      ElementSetsRead  what has been read so far
// Returned: out      ElementSetsRead  one set per message appended; one
//                                     problem per message that cannot be
//                                     read
// Thrown:   InputError                naming the source and the line: a line
//                                     longer than MAX_ELEMENT_LINE_BYTES
//
// Notes:
//  - COMMENT lines and blank lines are skipped; a unit in brackets after a
//    value ("15.5 [rev/day]") is dropped, except after the object's name
//    and designator, which may hold brackets of their own.
#include "elements/fields.hpp"
#include "format/text.hpp"
#include "elements/keyed.hpp"
#include "elements/readers.hpp"

#include <optional>

namespace talik::elements {

namespace {

constexpr std::string_view HEADER_KEY = "CCSDS_OMM_VERS";

bool is_comment(std::string_view line) {
    return line.starts_with("COMMENT") && (line.size() == 7 || line[7] == ' ' || line[7] == '\t');
}

std::string_view without_unit(std::string_view key, std::string_view value) {
    if (key == "OBJECT_NAME" || key == "OBJECT_ID" || value.empty() || value.back() != ']') return value;
    const std::size_t open = value.rfind('[');
    return open == std::string_view::npos ? value : trim(value.substr(0, open));
}

}  // namespace

void read_kvn(const std::string& display, std::string_view text, ElementSetsRead& out) {
    std::optional<KeyedSet> set;
    LineReader lines(display, text);
    for (Line line{}; lines.next(line);) {
        const std::string_view trimmed = trim(line.text);
        if (trimmed.empty() || is_comment(trimmed)) continue;
        const std::string where = "line " + std::to_string(line.number);
        const std::size_t equals = trimmed.find('=');
        const std::string_view key = trim(trimmed.substr(0, equals));
        if (equals != std::string_view::npos && key == HEADER_KEY) {
            if (set) set->deliver(out);
            set.emplace(display, where);
            continue;
        }
        if (!set) {
            set.emplace(display, where);
            set->spoil(where + ": no " + std::string(HEADER_KEY) + " line before this one");
        }
        if (equals == std::string_view::npos) {
            set->spoil(where + ": " + quote(trimmed) + " is neither KEY = value nor COMMENT");
            continue;
        }
        set->add(key, without_unit(key, trim(trimmed.substr(equals + 1))), where);
    }
    if (set) set->deliver(out);
}

}  // namespace talik::elements
