// text.hpp - text pieces shared by the pictures: escaping, numbers, UTC times.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace talik::plot {

// Text safe inside XML and HTML, in element content and in quoted
// attributes.
std::string escape_xml(std::string_view text);

// A coordinate rounded to 0.1, without a trailing ".0" ("12.3", "-4", "0").
std::string coord(double value);

// A value with a fixed number of decimals; "-" when it is not finite.
std::string fixed(double value, int decimals);

// UTC times from milliseconds since 1970, rounded to the shown unit.
std::string utc_datetime(std::int64_t t_ms);   // 2024-06-11 08:15:42
std::string utc_hhmm(std::int64_t t_ms);       // 08:16
std::string utc_mmdd_hhmm(std::int64_t t_ms);  // 06-11 08:16 (month-day)
std::string utc_hhmmss(std::int64_t t_ms);     // 08:15:42

// The escaped texts joined by ", ".
std::string escaped_list(const std::vector<std::string>& texts);

// A span as m:ss, or h:mm:ss from an hour on.
std::string duration_text(std::int64_t span_ms);

}  // namespace talik::plot
