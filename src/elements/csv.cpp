// csv.cpp - mean-element messages as rows of comma-separated values under a
// header row of keys.
//
// Given:   the text of a CSV table.
// Returns: one record per row; one problem per row that cannot be read.
// Notes:   fields in double quotes may hold commas, line ends and doubled
//          quotes ("" for one); rows end LF or CR LF; blank lines are
//          skipped.  A header lacking a key every set needs refuses the
//          whole table, as no row of it could be read.
#include <algorithm>

#include "elements/fields.hpp"
#include "elements/keyed.hpp"
#include "elements/readers.hpp"

namespace talik::elements {

namespace {

struct Row {
    std::vector<std::string> fields;
    std::size_t line = 0;  // where the row starts
    std::string fault;
};

// Reads one quoted field from just past its opening quote.
void quoted_field(const std::string& display, std::string_view text, std::size_t& pos, std::size_t& line, Row& row) {
    std::string& field = row.fields.back();
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
        if (c == '\n') ++line;
        field += c;
        if (field.size() > MAX_ELEMENT_LINE_BYTES) {
            throw InputError(display + ": line " + std::to_string(row.line) + ": a field longer than " +
                             std::to_string(MAX_ELEMENT_LINE_BYTES) + " bytes, not an element-set source");
        }
    }
    const std::size_t end = text.find_first_of(",\n", pos);
    const std::string_view rest = text.substr(pos, (end == std::string_view::npos ? text.size() : end) - pos);
    if (!trim(rest).empty()) row.fault = "line " + std::to_string(line) + ": text after a closing quote";
    pos += rest.size();
}

// Reads the row starting at pos; false at the end of the text.
bool next_row(const std::string& display, std::string_view text, std::size_t& pos, std::size_t& line, Row& row) {
    if (pos >= text.size()) return false;
    row = Row{{}, line, {}};
    for (;;) {
        row.fields.emplace_back();
        const std::size_t start = text.find_first_not_of(" \t", pos);
        if (start < text.size() && text[start] == '"') {
            pos = start + 1;
            quoted_field(display, text, pos, line, row);
        } else {
            const std::size_t end = std::min(text.find_first_of(",\n", pos), text.size());
            row.fields.back() = std::string(text.substr(pos, end - pos));
            pos = end;
        }
        if (pos >= text.size() || text[pos] == '\n') break;
        ++pos;  // past the comma
    }
    if (pos < text.size()) ++pos;  // past the line end
    ++line;
    if (!row.fields.back().empty() && row.fields.back().back() == '\r') row.fields.back().pop_back();
    return true;
}

}  // namespace

void read_csv(const std::string& display, std::string_view text, ElementSetsRead& out) {
    split_lines(display, text);  // refuses absurd lines before any row is read
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::size_t pos = 0;
    std::size_t line = 1;
    Row row;
    std::vector<std::string> header;
    while (header.empty() && next_row(display, text, pos, line, row)) {
        if (row.fields.size() > 1 || !trim(row.fields[0]).empty()) header = row.fields;
    }
    for (std::string& key : header) key = std::string(trim(key));
    for (const std::string_view key : REQUIRED_KEYS) {
        if (std::find(header.begin(), header.end(), key) == header.end()) {
            throw InputError(display + ": line " + std::to_string(row.line) + ": the header has no column " +
                             std::string(key));
        }
    }
    while (next_row(display, text, pos, line, row)) {
        if (row.fields.size() == 1 && trim(row.fields[0]).empty()) continue;
        const std::string where = "line " + std::to_string(row.line);
        KeyedSet set(display, where);
        if (!row.fault.empty()) set.spoil(row.fault);
        if (row.fields.size() != header.size()) {
            set.spoil(where + ": " + std::to_string(row.fields.size()) + " fields, the header has " +
                      std::to_string(header.size()));
        }
        for (std::size_t i = 0; i < std::min(header.size(), row.fields.size()); ++i) set.add(header[i], row.fields[i], where);
        set.deliver(out);
    }
}

}  // namespace talik::elements
