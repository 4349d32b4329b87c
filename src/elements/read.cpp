// read.cpp - an element source read whole: its format recognised from its
// first lines, then handed to the reader of that encoding.
//
// Given:   a source's name and text, or a path ("-" for standard input).
// Returns: the sets read, the problems of the sets skipped, the warnings.
// Notes:   a source is refused whole above kMaxElementSourceBytes; it is
//          read in blocks and given up as soon as it passes the limit, so a
//          endless pipe costs no more than that.
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "elements/fields.hpp"
#include "elements/keyed.hpp"
#include "elements/readers.hpp"

namespace talik {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t BYTES_PER_MIB = std::size_t{1024} * 1024;

std::string_view without_mark(std::string_view text) {
    return text.substr(0, kByteOrderMark.size()) == kByteOrderMark ? text.substr(kByteOrderMark.size()) : text;
}

bool starts_with_line_number(std::string_view line, char number) {
    return line.size() >= 2 && line[0] == number && line[1] == ' ';
}

// The first few lines that are not blank (nor, if asked, COMMENT lines),
// cut at the longest line length.
std::vector<std::string_view> first_lines(std::string_view text, std::size_t count, bool skip_comments) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (lines.size() < count && pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(pos, std::min(end - pos, kMaxElementLineBytes));
        const std::string_view trimmed = elements::trim(line);
        if (!trimmed.empty() && !(skip_comments && trimmed.starts_with("COMMENT"))) lines.push_back(line);
        pos = end + 1;
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

[[noreturn]] void cannot_read(const std::string& path, const std::string& why) {
    throw InputError(elements::display_name(path) + ": cannot be read: " + why);
}

std::string read_stream(const std::string& path, std::FILE* file) {
    std::string contents;
    char block[65536];
    for (;;) {
        errno = 0;
        const std::size_t got = std::fread(block, 1, sizeof block, file);
        contents.append(block, got);
        if (contents.size() > kMaxElementSourceBytes) {
            cannot_read(path, "larger than " + std::to_string(kMaxElementSourceBytes / BYTES_PER_MIB) + " MiB");
        }
        if (got < sizeof block) {
            if (std::ferror(file) != 0) cannot_read(path, std::generic_category().message(errno != 0 ? errno : EIO));
            return contents;
        }
    }
}

}  // namespace

namespace elements {

std::vector<Line> split_lines(const std::string& display, std::string_view text) {
    text = without_mark(text);
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.size() > kMaxElementLineBytes) {
            throw InputError(display + ": line " + std::to_string(lines.size() + 1) + ": longer than " +
                             std::to_string(kMaxElementLineBytes) + " bytes, not an element-set source");
        }
        lines.push_back(Line{line, lines.size() + 1});
        pos = end + 1;
    }
    return lines;
}

}  // namespace elements

std::optional<ElementFormat> detect_element_format(std::string_view text) {
    text = without_mark(text);
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
    const std::string display = elements::display_name(name);
    if (text.size() > kMaxElementSourceBytes) {
        throw InputError(display + ": larger than " + std::to_string(kMaxElementSourceBytes / BYTES_PER_MIB) + " MiB");
    }
    ElementSetsRead out;
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
    const std::string display = elements::display_name(name);
    if (elements::trim(without_mark(text)).empty()) throw InputError(display + ": empty, no element set");
    const std::optional<ElementFormat> format = detect_element_format(text);
    if (!format) {
        throw InputError(display + ": not an element-set source (two-line sets, or mean-element messages in KVN, XML, "
                                   "JSON or CSV with a header)");
    }
    return read_element_sets(name, text, *format);
}

ElementSetsRead read_element_file(const std::string& path) {
    if (path == "-") return read_element_sets(path, read_stream(path, stdin));
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) cannot_read(path, std::generic_category().message(EISDIR));
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) cannot_read(path, std::generic_category().message(errno != 0 ? errno : EIO));
    std::string contents;
    try {
        contents = read_stream(path, file);
    } catch (...) {
        std::fclose(file);
        throw;
    }
    std::fclose(file);
    return read_element_sets(path, contents);
}

}  // namespace talik
