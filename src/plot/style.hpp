// style.hpp - colours, dashes and widths shared by the pictures.
//
// Colours are from the Okabe-Ito palette, which colour-blind readers tell
// apart; in greyscale the lines still differ by dash and width: sunlit solid,
// in shadow dashed, during a pass thick, visible from a site light inside a
// black outline, minimum-elevation circle dashed.
#pragma once

#include <string_view>

namespace talik::plot::style {

inline constexpr std::string_view SUNLIT = "#E69F00";     // orange
inline constexpr std::string_view ECLIPSED = "#0072B2";   // blue
inline constexpr std::string_view VISIBLE = "#F0E442";    // yellow, inside an INK outline
inline constexpr std::string_view SITE = "#D55E00";       // vermillion
inline constexpr std::string_view CIRCLE = "#009E73";     // bluish green
inline constexpr std::string_view PREFILTER = "#CC79A7";  // reddish purple
inline constexpr std::string_view LAND = "#D9D4C3";       // beige
inline constexpr std::string_view SEA = "#E1EEF6";        // light blue, paler than the land in grey
inline constexpr std::string_view COAST = "#7F7A68";
inline constexpr std::string_view GRID = "#9A9A9A";
inline constexpr std::string_view INK = "#000000";
inline constexpr std::string_view PAPER = "#FFFFFF";

inline constexpr std::string_view SHADOW_DASH = "7 4";         // picture units
inline constexpr std::string_view MIN_ELEVATION_DASH = "5 3";  // picture units
inline constexpr double TRACK_WIDTH = 1.6;                     // picture units
inline constexpr double PASS_WIDTH = 4.2;                      // picture units
inline constexpr double OUTLINE = 1.2;                         // a visible stretch's outline either side, picture units
inline constexpr double FINE_LINE = 0.6;                       // coast and graticule, picture units
inline constexpr std::string_view FONT_FAMILY = "DejaVu Sans, Arial, Helvetica, sans-serif";

}  // namespace talik::plot::style
