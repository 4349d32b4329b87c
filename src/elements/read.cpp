// detect_element_format, read_element_sets, read_element_file,
// read_source_file - an element source read whole: its format recognised
// from its first lines, then handed to the reader of that encoding.
//
// Given:    text    string_view    a source's text
//           name    string         what messages call it: a path, or "-"
//                                  shown as "standard input"
//           format  ElementFormat  the format, when given rather than
//                                  detected (read_element_sets)
//           path    string         a file, "-" for standard input
//                                  (read_element_file, read_source_file)
//           in      FILE*          what "-" reads (read_source_file)
// Returned: (value) ElementFormat  the format the text is in; none when it
//                                  is none of them (detect_element_format)
//           (value) ElementSetsRead
//                                  every set of the source that could be
//                                  read, in file order; one line in
//                                  problems per set skipped; the warnings
//                                  (read_element_sets, read_element_file)
//           (value) string         the whole text of the source
//                                  (read_source_file)
// Thrown:   InputError             one line naming the source (and the line
//                                  or offset), for a source that cannot be
//                                  read at all: empty, larger than
//                                  MAX_ELEMENT_SOURCE_BYTES, a line longer
//                                  than MAX_ELEMENT_LINE_BYTES, in no known
//                                  format, malformed JSON or XML, XML with a
//                                  DOCTYPE, in an encoding not read or with
//                                  more nodes than XML_BYTES_PER_NODE
//                                  allows, a CSV header without the columns
//                                  or with more than MAX_CSV_COLUMNS;
//                                  "PATH: cannot be read: REASON" for a
//                                  file that cannot be read or is larger
//                                  than MAX_ELEMENT_SOURCE_BYTES
//                                  (read_source_file)
//
// Notes:
//  - The format, from the first lines (ended LF, CR LF or CR) once a UTF-8
//    byte order mark and leading blanks are skipped.  Two-line sets,
//    looked for first as a name line may hold anything: a line starting
//    "1 " followed by one starting "2 ", as the first or second line that
//    is not blank.  XML: starts with '<', or is in UTF-16 or UTF-32 (a byte
//    order mark, or '<' in 16 or 32 bits).  JSON: starts with '[' or '{'.
//    KVN: the first line other than blanks and COMMENT starts with
//    CCSDS_OMM_VERS.  CSV: the first line is a header with an EPOCH
//    column.
//  - A source is refused whole above MAX_ELEMENT_SOURCE_BYTES; it is read
//    in blocks and given up as soon as it passes the limit, so an endless
//    pipe costs no more than that.  A file's room is made for its size at
//    once.
//  - Memory: reading a source of N bytes holds its text (N) and at most:
//    for two-line sets, KVN and CSV nothing per line, row or entry (lines
//    are read one at a time); for JSON 3 N more (the parser's two copies of
//    its longest string, or of its longest stretch between two values, and
//    the set's copy); for XML 5 N more in UTF-8 (the parser's copy and a
//    tree of at most 4 N), at most 8 N more in UTF-16, UTF-32 or
//    ISO-8859-1, whose UTF-8 is up to 2 times as long (a converted copy,
//    the parser's copy of it, the tree); for the problems and warnings
//    LINES_KEPT lines each and a count; and the sets read, the data itself:
//    about 270 bytes each, more for a name or source ("FILE, line N")
//    longer than 15 bytes.  No source under MAX_ELEMENT_SOURCE_BYTES costs
//    more than 9 N and its sets.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "elements/fields.hpp"
#include "format/text.hpp"
#include "elements/keyed.hpp"
#include "elements/readers.hpp"
#include "elements/xml_text.hpp"

namespace talik {

namespace {

bool starts_with_line_number(std::string_view line, char number) {
    return line.size() >= 2 && line[0] == number && line[1] == ' ';
}

// The first few lines that are not blank (nor, if asked, COMMENT lines),
// cut at the longest line length.
std::vector<std::string_view> first_lines(std::string_view text, std::size_t count, bool skip_comments) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (lines.size() < count && pos < text.size()) {
        const std::string_view line = elements::take_line(text, pos).substr(0, MAX_ELEMENT_LINE_BYTES);
        const std::string_view trimmed = elements::trim(line);
        if (!trimmed.empty() && !(skip_comments && trimmed.starts_with("COMMENT"))) lines.push_back(line);
    }
    return lines;
}

bool is_csv_header(std::string_view line) {
    for (std::size_t pos = 0; pos <= line.size();) {
        std::size_t end = line.find(',', pos);
        if (end == std::string_view::npos) end = line.size();
        std::string_view cell = elements::trim(line.substr(pos, end - pos));
        if (cell.size() >= 2 && cell.front() == '"' && cell.back() == '"') cell = cell.substr(1, cell.size() - 2);
        if (cell == "EPOCH") return line.find(',') != std::string_view::npos;
        pos = end + 1;
    }
    return false;
}

constexpr std::size_t BYTES_PER_MIB = std::size_t{1024} * 1024;

[[noreturn]] void cannot_read(const std::string& path, const std::string& why) {
    throw InputError(source_name(path) + ": cannot be read: " + why);
}

// expected: the size the source is known to have, or 0; its room is made at
// once, so that the text is not copied as it grows.
std::string read_stream(const std::string& path, std::FILE* file, std::uintmax_t expected) {
    std::string contents;
    contents.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(expected, MAX_ELEMENT_SOURCE_BYTES + 1)));
    char block[65536];
    for (;;) {
        errno = 0;
        const std::size_t got = std::fread(block, 1, sizeof block, file);
        contents.append(block, got);
        if (contents.size() > MAX_ELEMENT_SOURCE_BYTES) {
            cannot_read(path, "larger than " + std::to_string(MAX_ELEMENT_SOURCE_BYTES / BYTES_PER_MIB) + " MiB");
        }
        if (got < sizeof block) {
            if (std::ferror(file) != 0) cannot_read(path, std::generic_category().message(errno != 0 ? errno : EIO));
            return contents;
        }
    }
}

}  // namespace

std::optional<ElementFormat> detect_element_format(std::string_view text) {
    if (elements::is_wide_xml(text)) return ElementFormat::Xml;
    text = without_byte_order_mark(text);
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return std::nullopt;
    // Two-line sets first: a name line may start with any character.
    const std::vector<std::string_view> lines = first_lines(text, 3, false);
    for (std::size_t i = 0; i + 1 < lines.size() && i < 2; ++i) {
        if (starts_with_line_number(lines[i], '1') && starts_with_line_number(lines[i + 1], '2')) {
            return ElementFormat::TwoLine;
        }
    }
    if (text[first] == '<') return ElementFormat::Xml;
    if (text[first] == '[' || text[first] == '{') return ElementFormat::Json;
    const std::vector<std::string_view> first_kvn = first_lines(text, 1, true);
    if (!first_kvn.empty() && elements::trim(first_kvn[0]).starts_with("CCSDS_OMM_VERS")) return ElementFormat::Kvn;
    if (lines.empty()) return std::nullopt;
    if (is_csv_header(lines.front())) return ElementFormat::Csv;
    return std::nullopt;
}

ElementSetsRead read_element_sets(const std::string& name, std::string_view text, ElementFormat format) {
    const std::string display = source_name(name);
    if (text.size() > MAX_ELEMENT_SOURCE_BYTES) {
        throw InputError(display + ": larger than " + std::to_string(MAX_ELEMENT_SOURCE_BYTES / BYTES_PER_MIB) +
                         " MiB");
    }
    ElementSetsRead out(display);
    switch (format) {
    case ElementFormat::TwoLine: elements::read_two_line(display, text, out); break;
    case ElementFormat::Kvn: elements::read_kvn(display, text, out); break;
    case ElementFormat::Xml: elements::read_xml(display, text, out); break;
    case ElementFormat::Json: elements::read_json(display, text, out); break;
    case ElementFormat::Csv: elements::read_csv(display, text, out); break;
    }
    return out;
}

ElementSetsRead read_element_sets(const std::string& name, std::string_view text) {
    const std::string display = source_name(name);
    if (elements::trim(without_byte_order_mark(text)).empty()) throw InputError(display + ": empty, no element set");
    const std::optional<ElementFormat> format = detect_element_format(text);
    if (!format) {
        throw InputError(display + ": not an element-set source (two-line sets, or mean-element messages in KVN, XML, "
                                   "JSON or CSV with a header)");
    }
    return read_element_sets(name, text, *format);
}

ElementSetsRead read_element_file(const std::string& path) {
    return read_element_sets(path, read_source_file(path, stdin));
}

std::string read_source_file(const std::string& path, std::FILE* in) {
    if (path == "-") return read_stream(path, in, 0);
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) cannot_read(path, std::generic_category().message(EISDIR));
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) cannot_read(path, std::generic_category().message(errno != 0 ? errno : EIO));
    std::string contents;
    try {
        const std::uintmax_t size = std::filesystem::file_size(path, ec);
        contents = read_stream(path, file, ec ? 0 : size);
    } catch (...) {
        std::fclose(file);
        throw;
    }
    std::fclose(file);
    return contents;
}

}  // namespace talik
