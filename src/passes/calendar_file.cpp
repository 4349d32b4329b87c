// calendar_begin, calendar_end, calendar_event, folded_line, escaped_text -
// passes as an iCalendar file, one event per pass from AOS to LOS.
//
// Given:    pass        Pass         a pass found by find_passes
//                                    (calendar_event)
//           stamp_unix  int64        when the file is made, seconds since
//                                    1970 (calendar_event)
//           line        string_view  one content line (folded_line)
//           text        string_view  a TEXT value (escaped_text)
// Returned: (value)     string       the calendar's first lines
//                                    (calendar_begin) or its last
//                                    (calendar_end), the pass as an event
//                                    (calendar_event), the line folded
//                                    (folded_line): lines ended by CR LF;
//                                    the text escaped (escaped_text)
//
// Notes:
//  - A content line is folded as RFC 5545 writes it: before 75 octets, a
//    CR LF and a blank starting each continuation; a UTF-8 character is
//    never split.  A TEXT value has its backslashes, semicolons, commas and
//    line feeds escaped, its carriage returns dropped.
//  - The event's UID names the object, the site and AOS (a revolution can
//    hold two passes of one site) through a hash of their texts, so a
//    calendar program that imports the file again replaces each event
//    instead of doubling it.
//  - Times are UTC ("Z"); the event runs from AOS to LOS, to the second
//    (AOS rounded down, LOS up).
#include "passes/calendar_file.hpp"

#include <cmath>
#include <cstdio>

#include "time/gregorian.hpp"
#include "time/iso_datim.hpp"

namespace talik {

namespace {

constexpr std::size_t LINE_OCTETS_MAX = 75;
constexpr std::uint64_t FNV_OFFSET = 14695981039346656037ULL;
constexpr std::uint64_t FNV_PRIME = 1099511628211ULL;
constexpr const char* CRLF = "\r\n";

// "20191210T105607Z" for seconds since 1970.
std::string stamp(std::int64_t unix_s) {
    const DATIM d = utc_datim(unix_s);
    char text[40];
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02dZ", d[YEAR], d[MONTH], d[DAY], d[HOUR], d[MINUTE],
                  d[SECOND]);
    return text;
}

std::string stamp_of_model(std::int64_t model_s) { return stamp(unix_seconds_of_model(model_s)); }

// "11:29" UTC of a time in tenths of a model second.
std::string clock_text(std::int64_t tenths, bool seconds) {
    const std::string iso = iso_tenths(tenths);  // 2019-12-10T11:29:03.4Z
    return iso.substr(11, seconds ? 8 : 5);
}

std::uint64_t fnv1a(std::string_view text, std::uint64_t h = FNV_OFFSET) {
    for (const char c : text) h = (h ^ static_cast<unsigned char>(c)) * FNV_PRIME;
    return h;
}

std::string degrees(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f\xC2\xB0", std::round(x) == 0.0 ? 0.0 : std::round(x));
    return text;
}

// What the event says: where to look and whether it can be seen.
std::string description(const Pass& p) {
    std::string text = "Rises at AOS " + clock_text(p.aos, true) + " UTC in azimuth " + degrees(p.aos_az_deg) +
                       ", culminates at " + clock_text(p.tca, true) + " UTC at elevation " + degrees(p.tca_el_deg) +
                       " in azimuth " + degrees(p.tca_az_deg) + ", sets at LOS " + clock_text(p.los, true) +
                       " UTC in azimuth " + degrees(p.los_az_deg) + ".\n";
    if (p.visible_s > 0) {
        text += "Visible for " + std::to_string(p.visible_s) + " s, from " + clock_text(p.visible_first, true) +
                " to " + clock_text(p.visible_last, true) + " UTC: sunlit against a dark sky.\n";
    } else {
        text += "Not visible to the eye: " +
                std::string(p.site_sun_el_deg > DARK_SKY_SUN_EL_DEG ? "the sky is not dark enough"
                                                                    : "the satellite is in the Earth's shadow") +
                ".\n";
    }
    text += "Sun at " + degrees(p.site_sun_el_deg) + " elevation at the culmination; revolution " +
            std::to_string(p.rev) + ".";
    for (const std::string& flag : p.flags()) text += " " + flag + ".";
    return text;
}

}  // namespace

std::string escaped_text(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\' || c == ';' || c == ',') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c != '\r') {
            out += c;
        }
    }
    return out;
}

std::string folded_line(std::string_view line) {
    std::string out;
    std::size_t used = 0;  // octets on the current physical line
    for (std::size_t i = 0; i < line.size();) {
        std::size_t n = 1;  // the UTF-8 character starting at i
        while (i + n < line.size() && (static_cast<unsigned char>(line[i + n]) & 0xC0) == 0x80) ++n;
        if (used + n > LINE_OCTETS_MAX) {
            out += CRLF;
            out += ' ';
            used = 1;
        }
        out.append(line.substr(i, n));
        used += n;
        i += n;
    }
    return out + CRLF;
}

std::string calendar_begin() {
    return folded_line("BEGIN:VCALENDAR") + folded_line("VERSION:2.0") +
           folded_line("PRODID:-//talik//talik-passes " TALIK_VERSION "//EN") + folded_line("CALSCALE:GREGORIAN") +
           folded_line("METHOD:PUBLISH");
}

std::string calendar_end() { return folded_line("END:VCALENDAR"); }

std::string calendar_event(const Pass& p, std::int64_t stamp_unix) {
    const std::string who = p.name.empty() ? p.object : p.name;
    const std::string summary = who + " over " + p.site + ", " + degrees(p.tca_el_deg) + " at " +
                                clock_text(p.tca, false) + " UTC";
    char uid[64];
    std::snprintf(
        uid, sizeof uid, "%016llx",
        static_cast<unsigned long long>(fnv1a(std::to_string(p.aos), fnv1a(p.site + '\n', fnv1a(p.object + '\n')))));
    return folded_line("BEGIN:VEVENT") +
           folded_line("UID:" + std::string(uid) + "-" + stamp_of_model(p.aos / TENTHS) + "@talik-passes") +
           folded_line("DTSTAMP:" + stamp(stamp_unix)) + folded_line("DTSTART:" + stamp_of_model(p.aos / TENTHS)) +
           folded_line("DTEND:" + stamp_of_model((p.los + TENTHS - 1) / TENTHS)) +
           folded_line("SUMMARY:" + escaped_text(summary)) +
           folded_line("DESCRIPTION:" + escaped_text(description(p))) +
           folded_line("LOCATION:" + escaped_text(p.site)) + folded_line("TRANSP:TRANSPARENT") +
           folded_line("END:VEVENT");
}

}  // namespace talik
