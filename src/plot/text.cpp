// escape_xml, coord, fixed, escaped_list, utc_datetime, utc_hhmm,
// utc_hhmmss, duration_text - text pieces shared by the pictures.
//
// Given:    text      string_view  text from the user's input (escape_xml)
//           texts     vector of string  (escaped_list)
//           value     double       a number: finite and within about 1e15
//                                  (coord), any (fixed)
//           decimals  int          decimals to show (fixed)
//           t_ms      int64        UTC, milliseconds since 1970-01-01
//           span_ms   int64        a span, milliseconds (duration_text)
// Returned: (value)   string       the text safe inside XML and HTML;
//                                  "12.3", "-4", "0"; "1.50" or "-";
//                                  the escaped texts joined by ", ";
//                                  "2024-06-11 08:15:42", "08:16",
//                                  "08:15:42"; "12:05" or "1:02:03"
//
// Notes:
//  - escape_xml makes text safe in element content and in quoted
//    attributes: & < > " ' become references; control characters that XML
//    forbids and bytes that are not UTF-8 become U+FFFD.
//  - coord rounds to 0.1 and drops a trailing ".0".  fixed gives "-" for a
//    value that is not finite, and no minus on a value shown as zero.
//  - The times are rounded to the unit shown, halves up; a span shows as
//    m:ss, or h:mm:ss from an hour on.
#include "plot/text.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "time/gregorian.hpp"

namespace talik::plot {
namespace {

constexpr std::string_view REPLACEMENT = "&#xFFFD;";

// Length of the well-formed UTF-8 sequence starting at text[i], or 0.
std::size_t utf8_length(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t n = 0;
    unsigned min_next = 0x80, max_next = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        n = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        n = 3;
        if (lead == 0xE0) min_next = 0xA0;  // no overlong forms
        if (lead == 0xED) max_next = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        n = 4;
        if (lead == 0xF0) min_next = 0x90;
        if (lead == 0xF4) max_next = 0x8F;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (i + n > text.size()) return 0;
    if (byte(i + 1) < min_next || byte(i + 1) > max_next) return 0;
    for (std::size_t k = i + 2; k < i + n; ++k) {
        if (byte(k) < 0x80 || byte(k) > 0xBF) return 0;
    }
    // U+FFFE and U+FFFF are not XML characters either.
    if (n == 3 && lead == 0xEF && byte(i + 1) == 0xBF && byte(i + 2) >= 0xBE) return 0;
    return n;
}

}  // namespace

std::string escape_xml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const std::size_t n = utf8_length(text, i);
            if (n == 0) {
                out += REPLACEMENT;
                ++i;
            } else {
                out.append(text.substr(i, n));
                i += n;
            }
            continue;
        }
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default:
            if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F) {
                out += REPLACEMENT;
            } else {
                out += static_cast<char>(c);
            }
        }
        ++i;
    }
    return out;
}

std::string coord(double value) {
    const long long tenths = std::llround(value * 10.0);
    const unsigned long long magnitude = tenths < 0 ? 0ULL - static_cast<unsigned long long>(tenths)
                                                    : static_cast<unsigned long long>(tenths);
    std::string out = tenths < 0 ? "-" : "";
    out += std::to_string(magnitude / 10);
    if (magnitude % 10 != 0) {
        out += '.';
        out += static_cast<char>('0' + magnitude % 10);
    }
    return out;
}

std::string fixed(double value, int decimals) {
    if (!std::isfinite(value)) return "-";
    std::array<char, 64> buf{};
    const auto [end, ec] =
        std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed, decimals);
    if (ec != std::errc()) return "-";
    std::string out(buf.data(), end);
    // "-0.0" reads as a value below zero; it is zero as shown.
    if (out.find_first_not_of("-0.") == std::string::npos && out.front() == '-') out.erase(0, 1);
    return out;
}

std::string escaped_list(const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& t : texts) {
        if (!out.empty()) out += ", ";
        out += escape_xml(t);
    }
    return out;
}

namespace {

// Milliseconds to whole units of `unit_ms`, halves rounded up, for any sign.
std::int64_t round_to(std::int64_t t_ms, std::int64_t unit_ms) {
    const std::int64_t shifted = t_ms + unit_ms / 2;
    std::int64_t q = shifted / unit_ms;
    if (shifted % unit_ms < 0) --q;
    return q;
}

constexpr std::int64_t MS_PER_SECOND = 1000;
constexpr std::int64_t MS_PER_MINUTE = 60 * MS_PER_SECOND;

}  // namespace

std::string utc_datetime(std::int64_t t_ms) {
    const DATIM c = utc_datim(round_to(t_ms, MS_PER_SECOND));
    std::array<char, 40> buf{};
    std::snprintf(buf.data(), buf.size(), "%04d-%02d-%02d %02d:%02d:%02d", c[YEAR], c[MONTH], c[DAY], c[HOUR],
                  c[MINUTE], c[SECOND]);
    return buf.data();
}

std::string utc_hhmm(std::int64_t t_ms) {
    const DATIM c = utc_datim(round_to(t_ms, MS_PER_MINUTE) * 60);
    std::array<char, 16> buf{};
    std::snprintf(buf.data(), buf.size(), "%02d:%02d", c[HOUR], c[MINUTE]);
    return buf.data();
}

std::string utc_mmdd_hhmm(std::int64_t t_ms) {
    const DATIM c = utc_datim(round_to(t_ms, MS_PER_MINUTE) * 60);
    std::array<char, 24> buf{};
    std::snprintf(buf.data(), buf.size(), "%02d-%02d %02d:%02d", c[MONTH], c[DAY], c[HOUR], c[MINUTE]);
    return buf.data();
}

std::string utc_hhmmss(std::int64_t t_ms) {
    const DATIM c = utc_datim(round_to(t_ms, MS_PER_SECOND));
    std::array<char, 16> buf{};
    std::snprintf(buf.data(), buf.size(), "%02d:%02d:%02d", c[HOUR], c[MINUTE], c[SECOND]);
    return buf.data();
}

std::string duration_text(std::int64_t span_ms) {
    const std::int64_t s = round_to(span_ms < 0 ? -span_ms : span_ms, MS_PER_SECOND);
    std::array<char, 40> buf{};
    if (s >= 3600) {
        std::snprintf(buf.data(), buf.size(), "%s%lld:%02lld:%02lld", span_ms < 0 ? "-" : "",
                      static_cast<long long>(s / 3600), static_cast<long long>(s / 60 % 60),
                      static_cast<long long>(s % 60));
    } else {
        std::snprintf(buf.data(), buf.size(), "%s%lld:%02lld", span_ms < 0 ? "-" : "", static_cast<long long>(s / 60),
                      static_cast<long long>(s % 60));
    }
    return buf.data();
}

}  // namespace talik::plot
