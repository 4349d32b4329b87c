// calendar_file.hpp - passes as an iCalendar file (RFC 5545), one event per
// pass from AOS to LOS.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "passes/pass.hpp"

namespace talik {

// The calendar's first lines, and its last.
std::string calendar_begin();
std::string calendar_end();

// One pass as an event, stamped stamp_unix (seconds since 1970): its lines
// ended by CR LF, folded at 75 octets, its texts escaped.
std::string calendar_event(const Pass& pass, std::int64_t stamp_unix);

// A content line as RFC 5545 writes it: folded before 75 octets, ended by
// CR LF.
std::string folded_line(std::string_view line);
// A TEXT value with its backslashes, semicolons, commas and line ends escaped.
std::string escaped_text(std::string_view text);

}  // namespace talik
