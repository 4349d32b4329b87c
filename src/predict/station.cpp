// prepare_station, site_station - a station as the look-angle work uses it.
//
// Given:    ista     int      row of the station table, 1 to 8
//                             (prepare_station)
//           name     string   the site's name (site_station)
//           lat_deg  double   latitude, degrees north (site_station)
//           lon_deg  double   longitude, degrees east, any value
//                             (site_station)
// Returned: (value)  Station  name, latitude, longitude (degrees east, 0 to
//                             360), the cosine and sine of the latitude and
//                             the longitude in rad; the row's pre-filter and
//                             marks, or for a site examined always, the marks
//                             "ll" and "hh"
//
// Notes:
//  - The cosine and sine of the latitude and the longitude in radians come
//    from the stored single degrees through DEGRAD, each stored as a single.
#include "predict/station.hpp"

#include <cmath>
#include <utility>

#include "numeric/constants.hpp"

namespace talik {

namespace {

void derive(Station& s) {
    s.STCLAT = std::cos(s.STLAT * DEGRAD);
    s.STSLAT = std::sin(s.STLAT * DEGRAD);
    s.STLONR = s.STLON * DEGRAD;
}

}  // namespace

Station prepare_station(int ista) {
    Station s;
    s.name = station_name(ista);
    s.STLAT = STATAB::STLAT(ista);
    s.STLON = STATAB::STLON(ista);
    s.filter = STATAB::filter(ista);
    s.MRKLO = STATAB::low_mark(ista);
    s.MRKHI = STATAB::high_mark(ista);
    derive(s);
    return s;
}

Station site_station(std::string name, double lat_deg, double lon_deg) {
    Station s;
    s.name = std::move(name);
    s.STLAT = lat_deg;
    double lon = std::fmod(lon_deg, DEGREES_PER_TURN);
    if (lon < 0.0) lon += DEGREES_PER_TURN;
    s.STLON = lon;
    derive(s);
    return s;
}

}  // namespace talik
