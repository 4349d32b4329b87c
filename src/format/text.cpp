// without_byte_order_mark, quote - text from outside made safe for messages.
//
// Given:    text    string_view  from a deck, an element file or a command line
// Returned: (value) string_view  text without a UTF-8 byte order mark at its
//                                start (without_byte_order_mark)
//           (value) string       text as a message quotes it (quote)
//
// Notes:
//  - quote puts the text between double quotes, without its outer blanks and
//    tabs, cut after QUOTED_MAX characters (then "..." before the closing
//    quote), every byte outside printable ASCII as \xNN: a message stays one
//    line of plain text whatever it quotes.
#include "format/text.hpp"

#include <cstdio>

namespace talik {

std::string_view without_byte_order_mark(std::string_view text) {
    return text.starts_with(BYTE_ORDER_MARK) ? text.substr(BYTE_ORDER_MARK.size()) : text;
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
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        }
    }
    out += cut ? "...\"" : "\"";
    return out;
}

}  // namespace talik
