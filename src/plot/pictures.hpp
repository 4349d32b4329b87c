// pictures.hpp - the pictures as <svg> elements, for a document or a page.
#pragma once

#include <string>
#include <string_view>

#include "plot/plot_data.hpp"

namespace talik::plot {

// The map's <svg> element; its ids start with "talik-map-", once per page.
std::string map_svg_element(const PlotData& data);

// A sky plot's <svg> element; it uses no ids.
std::string sky_svg_element(const PassView& pass);

// A standalone SVG 1.1 document around an <svg> element.
std::string svg_document(std::string_view svg_element);

// "<svg ...>" opening a picture of the given size in picture units.
std::string svg_open(double width, double height);

}  // namespace talik::plot
