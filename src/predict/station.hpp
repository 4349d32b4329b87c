// station.hpp - a ground station as the look-angle work uses it.
#pragma once

#include <string>
#include <string_view>

#include "numeric/single.hpp"
#include "predict/statab.hpp"

namespace talik {

// A station on the sphere of radius EARTH_RADIUS, with the sine, cosine and
// radians that the look angles need, its pre-filter and its two visibility
// marks.
struct Station {
    std::string name;
    Single STLAT;   // degrees, north positive
    Single STLON;   // degrees east, 0 to 360
    Single STCLAT;  // cosine of the latitude
    Single STSLAT;  // sine of the latitude
    Single STLONR;  // longitude, rad
    StationFilter filter = StationFilter::Always;
    std::string_view MRKLO = "ll";  // mark between 0 and about 5 degrees of elevation
    std::string_view MRKHI = "hh";  // mark above about 5 degrees
};

// Row ista (1..8) of the station table.
Station prepare_station(int ista);

// Any site on the same sphere, examined always: latitude (degrees north) and
// longitude (degrees east).
Station site_station(std::string name, double lat_deg, double lon_deg);

}  // namespace talik
