// iso_datim.hpp - date-times written the ISO way, "2024-01-10T06:30:00".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "time/datim.hpp"

namespace talik {

// "YYYY-MM-DDTHH:MM:SS" (a blank may stand for the T, a final Z is allowed,
// the seconds may be left out) as a DATIM, whose fields are not checked
// against the calendar (check_date does that); nullopt for any other text.
std::optional<DATIM> parse_iso_datim(std::string_view text);

// "2024-01-10T06:30:00Z".
std::string iso_text(const DATIM& dt);

}  // namespace talik
