// ends_line, take_line, LineReader::LineReader, LineReader::next,
// LineCounter::line_of - the lines of an element source, one at a time, and
// the line of an offset.
//
// Given:    text     string_view  a source's text
//           pos      size_t       an offset into it (ends_line, take_line)
//           display  string       the source's name in messages
//                                 (LineReader)
//           offset   size_t       an offset into the text (line_of)
// Returned: (value)  bool         whether text[pos] ends a line: an LF, or
//                                 a CR not followed by LF (ends_line)
//           (value)  string_view  the line starting at pos, without its end
//                                 (take_line)
//           pos      size_t       past the line's end (take_line)
//           line     Line         the next line and its number, from 1
//                                 (next)
//           (value)  bool         false at the end of the text (next)
//           (value)  size_t       the line number of offset, from 1
//                                 (line_of)
// Thrown:   InputError            "SOURCE: line N: longer than ..." for a
//                                 line longer than MAX_ELEMENT_LINE_BYTES
//                                 (next)
//
// Notes:
//  - A line ends LF, CR LF or CR alone, as files from any system end them;
//    a CR LF is one line end, ended at its LF.  A UTF-8 byte order mark
//    before the first line is dropped (LineReader).
//  - Nothing is kept per line: a text of 64 MiB of line ends costs no more
//    than one of text.  line_of counts on from the offset asked for before,
//    forward or back, so that asking in the text's order costs one pass.
#include "elements/readers.hpp"
#include "format/text.hpp"

#include <algorithm>

namespace talik::elements {

bool ends_line(std::string_view text, std::size_t pos) {
    return text[pos] == '\n' || (text[pos] == '\r' && (pos + 1 == text.size() || text[pos + 1] != '\n'));
}

std::string_view take_line(std::string_view text, std::size_t& pos) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    const std::string_view line = text.substr(pos, end - pos);
    pos = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
    return line;
}

LineReader::LineReader(const std::string& display, std::string_view text)
    : display_(display), text_(without_byte_order_mark(text)) {}

bool LineReader::next(Line& line) {
    if (pos_ >= text_.size()) return false;
    line = Line{take_line(text_, pos_), ++number_};
    if (line.text.size() > MAX_ELEMENT_LINE_BYTES) {
        throw InputError(display_ + ": line " + std::to_string(number_) + ": longer than " +
                         std::to_string(MAX_ELEMENT_LINE_BYTES) + " bytes, not an element-set source");
    }
    return true;
}

std::size_t LineCounter::ends_between(std::size_t from, std::size_t to) const {
    std::size_t ends = 0;
    for (std::size_t pos = from; pos < to; ++pos) ends += ends_line(text_, pos) ? 1 : 0;
    return ends;
}

std::size_t LineCounter::line_of(std::size_t offset) {
    offset = std::min(offset, text_.size());
    line_ = offset >= offset_ ? line_ + ends_between(offset_, offset) : line_ - ends_between(offset, offset_);
    offset_ = offset;
    return line_;
}

}  // namespace talik::elements
