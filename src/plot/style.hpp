// style.hpp - colours, dashes and widths shared by the pictures.
//
// Colours are from the Okabe-Ito palette, which colour-blind readers tell
// apart; in greyscale the lines still differ by dash and width: sunlit solid,
// in shadow dashed, during a pass thick, minimum-elevation circle dashed.
#pragma once

#include <string_view>

namespace talik::plot::style {

inline constexpr std::string_view kSunlit = "#E69F00";     // orange
inline constexpr std::string_view kEclipsed = "#0072B2";   // blue
inline constexpr std::string_view kSite = "#D55E00";       // vermillion
inline constexpr std::string_view kCircle = "#009E73";     // bluish green
inline constexpr std::string_view kPrefilter = "#CC79A7";  // reddish purple
inline constexpr std::string_view kLand = "#D9D4C3";       // beige
inline constexpr std::string_view kSea = "#E1EEF6";        // light blue, paler than the land in grey
inline constexpr std::string_view kCoast = "#7F7A68";
inline constexpr std::string_view kGrid = "#9A9A9A";
inline constexpr std::string_view kInk = "#000000";
inline constexpr std::string_view kPaper = "#FFFFFF";

inline constexpr std::string_view kShadowDash = "7 4";        // picture units
inline constexpr std::string_view kMinElevationDash = "5 3";  // picture units
inline constexpr double kTrackWidth = 1.6;                    // picture units
inline constexpr double kPassWidth = 4.2;                     // picture units
inline constexpr double kFineLine = 0.6;                      // coast and graticule, picture units
inline constexpr std::string_view kFontFamily = "DejaVu Sans, Arial, Helvetica, sans-serif";

}  // namespace talik::plot::style
