// land.hpp - Natural Earth's 1:110m land outline, built into the library.
#pragma once

#include <string_view>
#include <vector>

#include "plot/geo.hpp"

namespace talik::plot {

// The text of data/world/land-110m.txt, embedded at build time.
extern const std::string_view LAND_TEXT;

// The rings of a land file: "grid SX SY TX TY" then "ring X,Y X,Y ..." lines
// of grid integers (longitude TX + X*SX, latitude TY + Y*SY), # comments.
// Throws InternalError naming the line when the text is malformed: the
// outline is the program's own data, never the user's input.
std::vector<GeoLine> parse_land(std::string_view text);

// The embedded rings, parsed on first use.
const std::vector<GeoLine>& land_rings();

}  // namespace talik::plot
