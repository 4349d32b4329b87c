// read_csv - mean-element messages as rows of comma-separated values under a
// header row of keys.
//
// Given:    display  string           the source's name in messages
//           text     string_view      the text of a CSV table
//           out      ElementSetsRead  what has been read so far
// Returned: out      ElementSetsRead  one set per row appended; one problem
//                                     per row that cannot be read
// Thrown:   InputError                naming the source and the line, for a
//                                     table no row of which could be read: a
//                                     line or a field longer than
//                                     MAX_ELEMENT_LINE_BYTES, a header
//                                     lacking a key every set needs
//                                     (REQUIRED_KEYS) or with more than
//                                     MAX_CSV_COLUMNS columns
//
// Notes:
//  - Fields in double quotes may hold commas, line ends and doubled quotes
//    ("" for one); rows end LF, CR LF or CR; blank lines are skipped.
//  - A row keeps no more fields than MAX_CSV_COLUMNS either, and counts the
//    rest.
#include <algorithm>

#include "elements/fields.hpp"
#include "format/text.hpp"
#include "elements/keyed.hpp"
#include "elements/readers.hpp"

namespace talik::elements {

namespace {

struct Row {
    std::vector<std::string> fields;  // the first MAX_CSV_COLUMNS
    std::size_t count = 0;            // all of them
    std::size_t line = 0;             // where the row starts
    std::string fault;
};

bool ends_row(char c) { return c == '\n' || c == '\r'; }

// Past the line end at pos: CR LF, LF or CR.
std::size_t past_line_end(std::string_view text, std::size_t pos) {
    return pos + (text.substr(pos, 2) == "\r\n" ? 2 : 1);
}

// Reads one quoted field from just past its opening quote into field.
void quoted_field(const std::string& display, std::string_view text, std::size_t& pos, std::size_t& line, Row& row,
                  std::string& field) {
    for (;;) {
        if (pos >= text.size()) {
            row.fault = "line " + std::to_string(row.line) + ": a quote opened here is never closed";
            return;
        }
        const char c = text[pos++];
        if (c == '"' && pos < text.size() && text[pos] == '"') {
            ++pos;
        } else if (c == '"') {
            break;
        }
        if (ends_line(text, pos - 1)) ++line;
        field += c;
        if (field.size() > MAX_ELEMENT_LINE_BYTES) {
            throw InputError(display + ": line " + std::to_string(row.line) + ": a field longer than " +
                             std::to_string(MAX_ELEMENT_LINE_BYTES) + " bytes, not an element-set source");
        }
    }
    const std::size_t end = text.find_first_of(",\r\n", pos);
    const std::string_view rest = text.substr(pos, (end == std::string_view::npos ? text.size() : end) - pos);
    if (!trim(rest).empty()) row.fault = "line " + std::to_string(line) + ": text after a closing quote";
    pos += rest.size();
}

// Reads the row starting at pos; false at the end of the text.
bool next_row(const std::string& display, std::string_view text, std::size_t& pos, std::size_t& line, Row& row) {
    if (pos >= text.size()) return false;
    row.fields.clear();
    row.count = 0;
    row.line = line;
    row.fault.clear();
    std::string field;
    for (;;) {
        field.clear();
        const std::size_t start = text.find_first_not_of(" \t", pos);
        if (start < text.size() && text[start] == '"') {
            pos = start + 1;
            quoted_field(display, text, pos, line, row, field);
        } else {
            const std::size_t end = std::min(text.find_first_of(",\r\n", pos), text.size());
            field = text.substr(pos, end - pos);
            pos = end;
        }
        if (++row.count <= MAX_CSV_COLUMNS) row.fields.push_back(field);
        if (pos >= text.size() || ends_row(text[pos])) break;
        ++pos;  // past the comma
    }
    if (pos < text.size()) pos = past_line_end(text, pos);
    ++line;
    return true;
}

}  // namespace

void read_csv(const std::string& display, std::string_view text, ElementSetsRead& out) {
    LineReader lines(display, text);
    for (Line line{}; lines.next(line);) {
    }  // refuses absurd lines before any row is read
    text = without_byte_order_mark(text);
    std::size_t pos = 0;
    std::size_t line = 1;
    Row row;
    std::vector<std::string> header;
    while (header.empty() && next_row(display, text, pos, line, row)) {
        if (row.count > MAX_CSV_COLUMNS) {
            throw InputError(display + ": line " + std::to_string(row.line) + ": the header has more than " +
                             std::to_string(MAX_CSV_COLUMNS) + " columns, not a table of element sets");
        }
        if (row.count > 1 || !trim(row.fields[0]).empty()) header = row.fields;
    }
    for (std::string& key : header) key = std::string(trim(key));
    for (const std::string_view key : REQUIRED_KEYS) {
        if (std::find(header.begin(), header.end(), key) == header.end()) {
            throw InputError(display + ": line " + std::to_string(row.line) + ": the header has no column " +
                             std::string(key));
        }
    }
    while (next_row(display, text, pos, line, row)) {
        if (row.count == 1 && trim(row.fields[0]).empty()) continue;
        const std::string where = "line " + std::to_string(row.line);
        KeyedSet set(display, where);
        if (!row.fault.empty()) set.spoil(row.fault);
        if (row.count != header.size()) {
            set.spoil(where + ": " + std::to_string(row.count) + " fields, the header has " +
                      std::to_string(header.size()));
        }
        for (std::size_t i = 0; i < std::min(header.size(), row.fields.size()); ++i)
            set.add(header[i], row.fields[i], where);
        set.deliver(out);
    }
}

}  // namespace talik::elements
