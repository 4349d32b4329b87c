// iso_datim.hpp - date-times written the ISO way, "2024-01-10T06:30:00".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "time/datim.hpp"

namespace talik {

// A date-time as written: its fields, and how far its clock is ahead of
// UTC (minutes; 0 for UTC).
struct IsoDatim {
    DATIM fields{};
    int offset_minutes = 0;
};

// "YYYY-MM-DDTHH:MM:SS" (a blank may stand for the T, the seconds may be
// left out) in UTC, or followed by "Z", or by a UTC offset "+HH:MM",
// "-HH:MM", "+HHMM" or "+HH" (up to 23:59); nullopt for any other text.
// The fields are not checked against the calendar.
std::optional<IsoDatim> parse_iso_datim(std::string_view text);

// Tenths of a second per second: pass times are kept in tenths of the
// model's seconds.
inline constexpr std::int64_t TENTHS = 10;

// "2021-10-17T15:03:12.3Z": a time in tenths of a model second
// (model_seconds * TENTHS) as the real date-time it is.
std::string iso_tenths(std::int64_t model_tenths);

}  // namespace talik
