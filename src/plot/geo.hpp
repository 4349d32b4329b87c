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

// The line with wrapped longitudes, cut where a step crosses the date line:
// a step that changes the longitude by more than 180 deg is taken the short
// way round, and the crossing point, interpolated in latitude, ends one
// piece at one map edge and starts the next at the other.  Consecutive
// equal points are kept once; pieces of a single point are dropped.
std::vector<GeoLine> split_at_date_line(const GeoLine& line);

// Whether the step from one longitude to the next crosses or touches the
// date line, where split_at_date_line may cut it.
bool crosses_date_line(double from_lon_deg, double to_lon_deg);

// `count` points of the small circle of `radius_deg` (central angle) about
// `centre`, every 360/count deg of bearing from north through east, plus
// the first again to close it.  Valid for any centre, poles included.
GeoLine small_circle(LonLat centre, double radius_deg, int count);

// A closed ring made fit for filling on the map: longitudes continuous
// (they may leave [-180, 180), so the caller draws it shifted by whole
// turns as well and clips), starting where it crosses the date line if it
// does.  A ring that goes once round a pole is closed along that pole's
// edge of the map, on the side of its mean latitude.
GeoLine fill_ring(const GeoLine& ring);

}  // namespace talik::plot
