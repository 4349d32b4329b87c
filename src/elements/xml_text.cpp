// is_wide_xml, xml_in_utf8, check_xml_markup - an XML element file made
// ready for the parser: converted to UTF-8 from the encoding it is written
// in, and measured.
//
// Given:    display       string       the source's name in messages
//           text          string_view  the document's bytes, as read
//           utf8          string_view  the document in UTF-8
//                                      (check_xml_markup)
//           source_bytes  size_t       the size of the document as read
//                                      (check_xml_markup)
// Returned: (value)       bool         whether the text is XML in UTF-16 or
//                                      UTF-32: it starts with the byte order
//                                      mark of either, or its first
//                                      character is '<' in either
//                                      (is_wide_xml)
//           (value)       string_view  the document in UTF-8: the text
//                                      itself (a byte order mark dropped)
//                                      when it is in UTF-8, otherwise the
//                                      text converted into converted
//                                      (xml_in_utf8)
//           converted     string       the converted text, when there is
//                                      one (xml_in_utf8)
// Thrown:   InputError                 naming the source and the line:
//                                      xml_in_utf8 for an encoding declared
//                                      other than UTF-8 (or US-ASCII),
//                                      UTF-16, UTF-32 and ISO-8859-1, one
//                                      that contradicts the byte order mark,
//                                      and bytes that are not characters of
//                                      the encoding; check_xml_markup for a
//                                      document with a DOCTYPE, and for one
//                                      with more elements, texts and
//                                      attributes than XML_BYTES_PER_NODE
//                                      and XML_NODES_FLOOR allow for
//                                      source_bytes
//
// Notes:
//  - The encoding is judged as XML's own rules judge it: a byte order mark,
//    else the first character '<' in 16 or 32 bits, else 8 bits; the
//    declaration's encoding must agree, and among 8-bit encodings picks
//    ISO-8859-1 over UTF-8.  Every other declared encoding is refused by
//    name rather than read wrong.
//  - The parser builds the whole tree, so the nodes it would make are
//    counted first, in one pass and without memory: each element, CDATA
//    section, attribute ('=' within a tag) and text holding more than
//    blanks, except the first text of an element, which the parser keeps in
//    the element itself.
//  - A DOCTYPE is refused: the parser would skip its entities and leave
//    their references in the values unexpanded.
#include "elements/xml_text.hpp"
#include "format/text.hpp"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "elements/elements.hpp"
#include "elements/fields.hpp"
#include "elements/readers.hpp"

namespace talik::elements {

namespace {

// How the bytes of a text are laid out, judged from its start.
enum class Layout { EightBit, Utf8Marked, Utf16Le, Utf16Be, Utf32Le, Utf32Be };

constexpr unsigned layout_bit(Layout layout) { return 1U << static_cast<unsigned>(layout); }

struct KnownEncoding {
    std::string_view name;  // as declared, any case
    unsigned layouts;       // the layouts it may be written in
    bool latin1;            // 8 bits a character, each its code point
};
constexpr unsigned UTF8_LAYOUTS = layout_bit(Layout::EightBit) | layout_bit(Layout::Utf8Marked);
constexpr unsigned LATIN1_LAYOUTS = layout_bit(Layout::EightBit);
constexpr unsigned UTF16_LAYOUTS = layout_bit(Layout::Utf16Le) | layout_bit(Layout::Utf16Be);
constexpr unsigned UTF32_LAYOUTS = layout_bit(Layout::Utf32Le) | layout_bit(Layout::Utf32Be);
constexpr KnownEncoding KNOWN_ENCODINGS[] = {
    {"UTF-8", UTF8_LAYOUTS, false},
    {"UTF8", UTF8_LAYOUTS, false},
    {"US-ASCII", UTF8_LAYOUTS, false},
    {"ASCII", UTF8_LAYOUTS, false},
    {"ISO-8859-1", LATIN1_LAYOUTS, true},
    {"ISO8859-1", LATIN1_LAYOUTS, true},
    {"ISO_8859-1", LATIN1_LAYOUTS, true},
    {"LATIN1", LATIN1_LAYOUTS, true},
    {"LATIN-1", LATIN1_LAYOUTS, true},
    {"UTF-16", UTF16_LAYOUTS, false},
    {"UTF-16LE", layout_bit(Layout::Utf16Le), false},
    {"UTF-16BE", layout_bit(Layout::Utf16Be), false},
    {"UTF-32", UTF32_LAYOUTS, false},
    {"UTF-32LE", layout_bit(Layout::Utf32Le), false},
    {"UTF-32BE", layout_bit(Layout::Utf32Be), false},
};

constexpr std::uint32_t HIGH_SURROGATES = 0xD800;
constexpr std::uint32_t LOW_SURROGATES = 0xDC00;
constexpr std::uint32_t SURROGATES_END = 0xE000;
constexpr std::uint32_t LAST_CODE_POINT = 0x10FFFF;
constexpr std::uint32_t FIRST_SUPPLEMENTARY = 0x10000;

struct Start {
    std::string_view bytes;  // how the text starts
    Layout layout;
    std::size_t mark;  // the byte order mark's length; 0 without one
};
// Longer marks first: UTF-32LE's starts like UTF-16LE's.
const Start STARTS[] = {
    {std::string_view("\xFF\xFE\0\0", 4), Layout::Utf32Le, 4},
    {std::string_view("\0\0\xFE\xFF", 4), Layout::Utf32Be, 4},
    {"\xFF\xFE", Layout::Utf16Le, 2},
    {"\xFE\xFF", Layout::Utf16Be, 2},
    {BYTE_ORDER_MARK, Layout::Utf8Marked, 3},
    {std::string_view("<\0\0\0", 4), Layout::Utf32Le, 0},
    {std::string_view("\0\0\0<", 4), Layout::Utf32Be, 0},
    {std::string_view("<\0", 2), Layout::Utf16Le, 0},
    {std::string_view("\0<", 2), Layout::Utf16Be, 0},
};

Start start_of(std::string_view text) {
    for (const Start& start : STARTS) {
        if (text.starts_with(start.bytes)) return start;
    }
    return Start{{}, Layout::EightBit, 0};
}

const char* layout_name(Layout layout) {
    switch (layout) {
    case Layout::Utf16Le: return "UTF-16LE";
    case Layout::Utf16Be: return "UTF-16BE";
    case Layout::Utf32Le: return "UTF-32LE";
    case Layout::Utf32Be: return "UTF-32BE";
    default: return "8 bits a character";
    }
}

void append_utf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < FIRST_SUPPLEMENTARY) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16 or UTF-32 (without its mark) to UTF-8.
std::string wide_to_utf8(const std::string& display, std::string_view bytes, Layout layout) {
    const bool wide32 = layout == Layout::Utf32Le || layout == Layout::Utf32Be;
    const bool big = layout == Layout::Utf16Be || layout == Layout::Utf32Be;
    const std::size_t width = wide32 ? 4 : 2;
    std::string out;
    out.reserve(bytes.size() / 2 * 3);  // the most UTF-8 takes; pages never written cost nothing
    const auto unit = [&](std::size_t pos) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < width; ++i)
            value = value << 8 | static_cast<unsigned char>(bytes[pos + (big ? i : width - 1 - i)]);
        return value;
    };
    const auto refuse = [&](const char* why) {
        throw InputError(display + ": line " + std::to_string(LineCounter(out).line_of(out.size())) + ": not " +
                         layout_name(layout) + ": " + why);
    };
    std::size_t pos = 0;
    for (; pos + width <= bytes.size(); pos += width) {
        std::uint32_t c = unit(pos);
        if (!wide32 && c >= HIGH_SURROGATES && c < LOW_SURROGATES && pos + 2 * width <= bytes.size()) {
            const std::uint32_t low = unit(pos + width);
            if (low >= LOW_SURROGATES && low < SURROGATES_END) {
                c = FIRST_SUPPLEMENTARY + ((c - HIGH_SURROGATES) << 10) + (low - LOW_SURROGATES);
                pos += width;
            }
        }
        if ((c >= HIGH_SURROGATES && c < SURROGATES_END) || c > LAST_CODE_POINT) refuse("a code that is no character");
        append_utf8(out, c);
    }
    if (pos != bytes.size()) refuse("the text ends within a character");
    return out;
}

std::string latin1_to_utf8(std::string_view bytes) {
    std::string out;
    out.reserve(2 * bytes.size());
    for (const char c : bytes) append_utf8(out, static_cast<unsigned char>(c));
    return out;
}

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The encoding an XML declaration at the start names, if any.
std::optional<std::string_view> declared_encoding(std::string_view text) {
    text = text.substr(std::min(text.size(), text.find_first_not_of(" \t\r\n")));
    if (!text.starts_with("<?xml") || text.size() < 6 || !is_blank(text[5])) return std::nullopt;
    const std::string_view declaration = text.substr(0, text.find("?>"));
    for (std::size_t at = declaration.find("encoding"); at != std::string_view::npos;
         at = declaration.find("encoding", at + 1)) {
        if (!is_blank(declaration[at - 1])) continue;
        std::size_t pos = declaration.find_first_not_of(" \t\r\n", at + 8);
        if (pos == std::string_view::npos || declaration[pos] != '=') continue;
        pos = declaration.find_first_not_of(" \t\r\n", pos + 1);
        if (pos == std::string_view::npos || (declaration[pos] != '"' && declaration[pos] != '\'')) continue;
        const std::size_t end = declaration.find(declaration[pos], pos + 1);
        if (end != std::string_view::npos) return declaration.substr(pos + 1, end - pos - 1);
    }
    return std::nullopt;
}

// Counts the nodes a piece of markup at pos ('<') makes and returns where it
// ends.  embeds: whether a text next would be kept in the element just
// opened.
std::size_t past_markup(const std::string& display, std::string_view text, std::size_t pos, std::size_t& nodes,
                        bool& embeds) {
    const std::string_view markup = text.substr(pos);
    const auto past = [&](std::string_view end, std::size_t from) {
        const std::size_t at = text.find(end, pos + from);
        return at == std::string_view::npos ? text.size() : at + end.size();
    };
    if (markup.starts_with("<!--")) return past("-->", 4);
    if (markup.starts_with("<?")) return past("?>", 2);
    if (markup.starts_with("<![CDATA[")) {
        ++nodes;
        embeds = false;
        return past("]]>", 9);
    }
    if (markup.starts_with("<!DOCTYPE")) {
        throw InputError(display + ": line " + std::to_string(LineCounter(text).line_of(pos)) +
                         ": a DOCTYPE; element files are read without one, so that no entity is left unexpanded");
    }
    const bool closing = markup.starts_with("</");
    nodes += closing ? 0 : 1;
    char quote = 0;
    std::size_t at = pos + 1;
    for (; at < text.size() && (quote != 0 || text[at] != '>'); ++at) {
        const char c = text[at];
        if (quote != 0) {
            quote = c == quote ? '\0' : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '=') {
            ++nodes;  // an attribute
        }
    }
    embeds = !closing && text[at - 1] != '/';
    return at + 1;
}

}  // namespace

void check_xml_markup(const std::string& display, std::string_view utf8, std::size_t source_bytes) {
    const std::size_t most = std::max(XML_NODES_FLOOR, source_bytes / XML_BYTES_PER_NODE);
    std::size_t nodes = 0;
    bool embeds = false;
    bool in_text = false;
    for (std::size_t pos = 0; pos < utf8.size();) {
        if (utf8[pos] != '<') {
            if (!in_text && !is_blank(utf8[pos])) {
                in_text = true;
                nodes += embeds ? 0 : 1;
                embeds = false;
            }
            ++pos;
            continue;
        }
        in_text = false;
        pos = past_markup(display, utf8, pos, nodes, embeds);
        if (nodes > most) {
            throw InputError(display + ": line " + std::to_string(LineCounter(utf8).line_of(pos)) +
                             ": more XML elements, texts and attributes than one per " +
                             std::to_string(XML_BYTES_PER_NODE) + " bytes (" + std::to_string(most) +
                             "), not a file of element sets");
        }
    }
}

bool is_wide_xml(std::string_view text) {
    const Layout layout = start_of(text).layout;
    return layout != Layout::EightBit && layout != Layout::Utf8Marked;
}

std::string_view xml_in_utf8(const std::string& display, std::string_view text, std::string& converted) {
    const Start start = start_of(text);
    std::string_view utf8 = text.substr(start.mark);
    if (is_wide_xml(text)) {
        converted = wide_to_utf8(display, utf8, start.layout);
        utf8 = converted;
    }
    const std::optional<std::string_view> declared = declared_encoding(utf8);
    if (!declared) return utf8;
    const KnownEncoding* known =
        std::find_if(std::begin(KNOWN_ENCODINGS), std::end(KNOWN_ENCODINGS),
                     [&](const KnownEncoding& k) { return equal_ignoring_case(k.name, *declared); });
    if (known == std::end(KNOWN_ENCODINGS)) {
        throw InputError(display + ": line 1: the XML encoding " + quote(*declared) +
                         " is not read; write the file in UTF-8, UTF-16, UTF-32 or ISO-8859-1");
    }
    if ((known->layouts & layout_bit(start.layout)) == 0) {
        throw InputError(
            display + ": line 1: the XML declaration names the encoding " + quote(*declared) + ", but the text is " +
            (start.layout == Layout::Utf8Marked ? "UTF-8 with its byte order mark" : layout_name(start.layout)));
    }
    if (known->latin1) {
        converted = latin1_to_utf8(utf8);
        utf8 = converted;
    }
    return utf8;
}

}  // namespace talik::elements
