// without_byte_order_mark, source_name, quote, printable, clean_name - text
// from outside made safe for messages and outputs.
//
// Given:    text    string_view  from a deck, an element file or a command line
// Returned: (value) string_view  text without a UTF-8 byte order mark at its
//                                start (without_byte_order_mark)
//           (value) string       "standard input" for "-", else the name
//                                (source_name); text as a message quotes it
//                                (quote); a message line (printable); a name
//                                fit to print (clean_name)
//
// Notes:
//  - quote puts the text between double quotes, without its outer blanks and
//    tabs, cut after QUOTED_MAX characters (then "..." before the closing
//    quote), every byte outside printable ASCII as \xNN: a message stays one
//    line of plain text whatever it quotes.  printable keeps UTF-8 and shows
//    only control bytes as \xNN.
//  - clean_name replaces bytes that are not UTF-8, control characters (C0,
//    DEL, C1) and line or paragraph separators by U+FFFD; a name holding
//    bidirectional controls is isolated (U+2068 ... U+2069), with its own
//    isolates closed and a stray U+2069 dropped, so that it cannot turn the
//    text around it; a name longer than NAME_BYTES_MAX is cut at a character
//    and ends in "...".
#include "format/text.hpp"

#include <cstdio>

namespace talik {

std::string_view without_byte_order_mark(std::string_view text) {
    return text.starts_with(BYTE_ORDER_MARK) ? text.substr(BYTE_ORDER_MARK.size()) : text;
}

namespace {

constexpr std::string_view REPLACEMENT = "\xEF\xBF\xBD";           // U+FFFD
constexpr std::string_view FIRST_STRONG_ISOLATE = "\xE2\x81\xA8";  // U+2068
constexpr std::string_view POP_ISOLATE = "\xE2\x81\xA9";           // U+2069
constexpr std::string_view CUT_MARK = "...";

// The length of the UTF-8 character at text[i], or 0 when the bytes there
// are not one (overlong forms and surrogates included).
std::size_t utf8_length(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) return 1;
    std::size_t n = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        n = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        n = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        n = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + n > text.size() || byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = i + 2; k < i + n; ++k) {
        if (byte(k) < 0x80 || byte(k) > 0xBF) return 0;
    }
    return n;
}

// The code point of the well-formed character c.
char32_t code_point(std::string_view c) {
    const auto byte = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(c[k])); };
    if (c.size() == 1) return byte(0);
    char32_t cp = byte(0) & (0xFFU >> (c.size() + 1));
    for (std::size_t k = 1; k < c.size(); ++k) cp = (cp << 6) | (byte(k) & 0x3F);
    return cp;
}

bool control(char32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F) || cp == 0x2028 || cp == 0x2029; }

// Embeddings, overrides and marks; the isolates are told apart below.
bool bidi_control(char32_t cp) {
    return (cp >= 0x202A && cp <= 0x202E) || (cp >= 0x2066 && cp <= 0x2069) || cp == 0x200E || cp == 0x200F ||
           cp == 0x061C;
}

// Appends byte as a message shows it: \xNN.
void append_escaped(std::string& out, unsigned char byte) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", byte);
    out += hex;
}

}  // namespace

std::string source_name(const std::string& name) { return name == "-" ? "standard input" : name; }

std::string printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            out += c;
        } else {
            append_escaped(out, byte);
        }
    }
    return out;
}

std::string quote(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    const bool cut = text.size() > QUOTED_MAX;
    if (cut) text = text.substr(0, QUOTED_MAX);
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            out += c;
        } else {
            append_escaped(out, byte);
        }
    }
    out += cut ? "...\"" : "\"";
    return out;
}

std::string clean_name(std::string_view raw) {
    std::string out;
    bool bidi = false;
    int open_isolates = 0;
    for (std::size_t i = 0; i < raw.size();) {
        const std::size_t n = utf8_length(raw, i);
        std::string_view piece = raw.substr(i, n == 0 ? 1 : n);
        i += piece.size();
        const char32_t cp = n == 0 ? 0xFFFD : code_point(piece);
        if (n == 0 || control(cp)) piece = REPLACEMENT;
        if (bidi_control(cp) && cp == 0x2069 && open_isolates == 0) continue;  // it would end the isolation early
        if (out.size() + piece.size() > NAME_BYTES_MAX) {
            out += CUT_MARK;
            break;
        }
        if (bidi_control(cp)) {
            bidi = true;
            open_isolates += cp == 0x2069 ? -1 : cp >= 0x2066 ? 1 : 0;
        }
        out += piece;
    }
    for (; open_isolates > 0; --open_isolates) out += POP_ISOLATE;
    if (bidi) out = std::string(FIRST_STRONG_ISOLATE) + out + std::string(POP_ISOLATE);
    return out;
}

}  // namespace talik
