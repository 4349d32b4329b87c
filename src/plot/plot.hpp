// plot.hpp - pictures of a prediction: world map, sky plots, one HTML page,
// each returned as the whole document's text.
#pragma once

#include <string>

#include "plot/plot_data.hpp"

namespace talik::plot {

// The world map: land, graticule, ground track, sites, title and legend.
std::string map_svg(const PlotData& data);

// One pass's track in the sky (north up, east right, zenith at the centre).
std::string sky_svg(const PassView& pass);

// The map, a sky plot for each pass and the pass table.
std::string page_html(const PlotData& data);

}  // namespace talik::plot
