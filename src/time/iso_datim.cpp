// parse_iso_datim, iso_text - date-times as ISO 8601 text, to the second.
#include "time/iso_datim.hpp"

#include <cstdio>

namespace talik {

namespace {

// Exactly n digits at text[at], as a number; -1 when they are not.
int digits(std::string_view text, std::size_t at, std::size_t n) {
    if (at + n > text.size()) return -1;
    int value = 0;
    for (std::size_t i = at; i < at + n; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

std::optional<DATIM> parse_iso_datim(std::string_view text) {
    if (!text.empty() && (text.back() == 'Z' || text.back() == 'z')) text.remove_suffix(1);
    if (text.size() != 16 && text.size() != 19) return std::nullopt;
    const bool separators = text[4] == '-' && text[7] == '-' && (text[10] == 'T' || text[10] == 't' || text[10] == ' ') &&
                            text[13] == ':' && (text.size() == 16 || text[16] == ':');
    const int fields[6] = {digits(text, 0, 4),  digits(text, 5, 2),  digits(text, 8, 2),
                           digits(text, 11, 2), digits(text, 14, 2), text.size() == 19 ? digits(text, 17, 2) : 0};
    if (!separators) return std::nullopt;
    DATIM dt{};
    for (std::size_t i = 0; i < 6; ++i) {
        if (fields[i] < 0) return std::nullopt;
        dt[i] = static_cast<std::int16_t>(fields[i]);
    }
    return dt;
}

std::string iso_text(const DATIM& dt) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02dZ", dt[YEAR], dt[MONTH], dt[DAY], dt[HOUR], dt[MINUTE],
                  dt[SECOND]);
    return buf;
}

}  // namespace talik
