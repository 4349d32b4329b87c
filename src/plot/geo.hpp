// geo.hpp - lines on the sphere made ready for an equirectangular map.
#pragma once

#include <vector>

namespace talik::plot {

struct LonLat {
    double lon, lat;  // degrees, east and north positive
};
using GeoLine = std::vector<LonLat>;

// A longitude brought into [-180, 180).
double wrap_lon(double lon_deg);

// The line with wrapped longitudes, cut where a step crosses the date line.
std::vector<GeoLine> split_at_date_line(const GeoLine& line);

// Whether the step from one longitude to the next crosses or touches the
// date line, where split_at_date_line may cut it.
bool crosses_date_line(double from_lon_deg, double to_lon_deg);

// `count` points of the small circle of `radius_deg` (central angle) about
// `centre`, closed.
GeoLine small_circle(LonLat centre, double radius_deg, int count);

// A closed ring made fit for filling on the map, its longitudes continuous.
GeoLine fill_ring(const GeoLine& ring);

}  // namespace talik::plot
