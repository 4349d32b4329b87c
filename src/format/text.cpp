// without_byte_order_mark, quoted - outside text made safe for messages.
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
