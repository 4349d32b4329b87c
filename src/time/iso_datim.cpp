// parse_iso_datim, iso_tenths - date-times as ISO 8601 text.
//
// Given:    text          string_view         "YYYY-MM-DDTHH:MM:SS", with Z or
//                                             a UTC offset (parse_iso_datim)
//           model_tenths  int64               a time in tenths of a model
//                                             second, model_seconds * TENTHS
//                                             (iso_tenths)
// Returned: (value)       optional<IsoDatim>  the date-time's fields, not
//                                             checked against the calendar
//                                             (check_date does that), and
//                                             its offset ahead of UTC in
//                                             minutes; nullopt for any other
//                                             text
//           (value)       string              "2021-10-17T15:03:12.3Z": the
//                                             real date-time of the model time
//
// Notes:
//  - A blank or a small t may stand for the T, and the seconds may be left
//    out.  After the time: nothing (UTC), Z or z (UTC), or an offset "+HH:MM",
//    "-HH:MM", "+HHMM" or "+HH", up to 23:59.
#include "time/iso_datim.hpp"

#include <cstdio>

#include "time/gregorian.hpp"

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

// The UTC offset at the end of text, removed from it: minutes ahead of
// UTC; nullopt for a malformed one.  No offset is UTC.
std::optional<int> take_offset(std::string_view& text) {
    if (!text.empty() && (text.back() == 'Z' || text.back() == 'z')) {
        text.remove_suffix(1);
        return 0;
    }
    constexpr std::size_t DATE_TIME_MIN = 16;  // YYYY-MM-DDTHH:MM
    const std::size_t sign = text.find_last_of("+-");
    if (sign == std::string_view::npos || sign < DATE_TIME_MIN) return 0;
    const bool west = text[sign] == '-';
    const std::string_view zone = text.substr(sign + 1);
    text = text.substr(0, sign);
    int hours = -1;
    int minutes = 0;
    if (zone.size() == 2) {
        hours = digits(zone, 0, 2);
    } else if (zone.size() == 4) {
        hours = digits(zone, 0, 2);
        minutes = digits(zone, 2, 2);
    } else if (zone.size() == 5 && zone[2] == ':') {
        hours = digits(zone, 0, 2);
        minutes = digits(zone, 3, 2);
    }
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59) return std::nullopt;
    const int offset = hours * 60 + minutes;
    return west ? -offset : offset;
}

}  // namespace

std::optional<IsoDatim> parse_iso_datim(std::string_view text) {
    const std::optional<int> offset = take_offset(text);
    if (!offset || (text.size() != 16 && text.size() != 19)) return std::nullopt;
    const bool separators = text[4] == '-' && text[7] == '-' &&
                            (text[10] == 'T' || text[10] == 't' || text[10] == ' ') && text[13] == ':' &&
                            (text.size() == 16 || text[16] == ':');
    const int fields[6] = {digits(text, 0, 4),  digits(text, 5, 2),  digits(text, 8, 2),
                           digits(text, 11, 2), digits(text, 14, 2), text.size() == 19 ? digits(text, 17, 2) : 0};
    if (!separators) return std::nullopt;
    IsoDatim dt;
    for (std::size_t i = 0; i < 6; ++i) {
        if (fields[i] < 0) return std::nullopt;
        dt.fields[i] = static_cast<std::int16_t>(fields[i]);
    }
    dt.offset_minutes = *offset;
    return dt;
}

std::string iso_tenths(std::int64_t model_tenths) {
    std::int64_t seconds = model_tenths / TENTHS;
    std::int64_t tenth = model_tenths % TENTHS;
    if (tenth < 0) {
        tenth += TENTHS;
        --seconds;
    }
    const DATIM d = utc_datim(unix_seconds_of_model(seconds));
    char text[80];  // room for any 16-bit field
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%dZ", d[YEAR], d[MONTH], d[DAY], d[HOUR], d[MINUTE],
                  d[SECOND], static_cast<int>(tenth));
    return text;
}

}  // namespace talik
