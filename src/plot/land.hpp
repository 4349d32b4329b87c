// land.hpp - Natural Earth's 1:110m land outline, built into the library.
#pragma once

#include <string_view>
#include <vector>

#include "plot/geo.hpp"

namespace talik::plot {

// The text of data/world/land-110m.txt, embedded at build time.
extern const std::string_view LAND_TEXT;

// The rings of a land file; throws InternalError for a malformed one.
std::vector<GeoLine> parse_land(std::string_view text);

// The embedded rings, parsed on first use.
const std::vector<GeoLine>& land_rings();

}  // namespace talik::plot
