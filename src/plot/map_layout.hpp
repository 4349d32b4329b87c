// map_layout.hpp - where the world map sits in its picture, and its layers.
#pragma once

#include <string>
#include <vector>

#include "plot/geo.hpp"
#include "plot/plot_data.hpp"
#include "plot/svg.hpp"

namespace talik::plot {

// Equirectangular: longitude -180..180 left to right, latitude 90..-90 top
// to bottom, the same scale both ways.
struct MapFrame {
    static constexpr double UNITS_PER_DEG = 4.0;  // picture units per degree
    static constexpr double LEFT = 56.0;          // picture units
    static constexpr double TOP = 104.0;          // picture units
    static constexpr double WIDTH = 360.0 * UNITS_PER_DEG;
    static constexpr double HEIGHT = 180.0 * UNITS_PER_DEG;

    static Px at(LonLat p) { return {LEFT + (p.lon + 180.0) * UNITS_PER_DEG, TOP + (90.0 - p.lat) * UNITS_PER_DEG}; }
};

// A rectangle of the picture that a label takes, picture units.
struct Box {
    double x0, y0, x1, y1;
    bool overlaps(const Box& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};

// Adds lines already cut at the date line, projected and simplified.
void add_geo_lines(PathData& path, const std::vector<GeoLine>& lines);

// The ground track: sunlit and shadowed stretches, thick inside passes.
std::string track_layer(const std::vector<TrackSample>& track);

// Time ticks along the track and a few HH:MM labels; `legend` receives
// the text explaining their spacing.
std::string tick_layer(const PlotData& data, std::string& legend);

// The sites' pre-filter regions and visibility circles, drawn on the map.
std::string site_regions_layer(const std::vector<SiteView>& sites);

// The sites' markers and names, drawn over everything.
std::string site_marker_layer(const std::vector<SiteView>& sites);

// Where the sites' markers and names go, roughly, so other labels keep off.
std::vector<Box> site_marker_boxes(const std::vector<SiteView>& sites);

}  // namespace talik::plot
