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

// "YYYY-MM-DDTHH:MM:SS" in UTC, or with Z or a UTC offset, its fields
// unchecked; nullopt for any other text.
std::optional<IsoDatim> parse_iso_datim(std::string_view text);

// Tenths of a second per second: pass times are kept in tenths of the
// model's seconds.
inline constexpr std::int64_t TENTHS = 10;

// "2021-10-17T15:03:12.3Z": a time in tenths of a model second as the real
// date-time it is.
std::string iso_tenths(std::int64_t model_tenths);

}  // namespace talik
