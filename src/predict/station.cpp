// prepare_station, site_station - a station's derived values.
//
// The cosine and sine of the latitude and the longitude in radians come
// from the stored single degrees through DEGRAD, each stored as a single.
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
