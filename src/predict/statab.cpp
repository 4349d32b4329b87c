// STATAB::STLAT, STATAB::STLON, STATAB::filter, station_name, STATAB::find -
// the rows of the station table.
//
// Given:    ista    int            row, 1 to 8
//           key     string_view    a row's number ("6") or its name in any
//                                  case ("madrid") (find)
// Returned: (value) Single         latitude, degrees north (STLAT);
//                                  longitude, degrees east, 0 to 360 (STLON)
//           (value) StationFilter  the row's pre-filter (filter)
//           (value) string         the name without its padding: "MADRID"
//                                  (station_name)
//           (value) int            the row key names, 0 for none (find)
//
// Notes:
//  - The coordinates are the single-precision values of the decimals shown.
#include "predict/statab.hpp"

#include <cctype>
#include <cstddef>

namespace talik {
namespace {

struct Row {
    float lat;
    float lon;
    StationFilter filter;
};

constexpr std::array<Row, STATAB::COUNT> ROWS{{
    {36.517F, 138.317F, StationFilter::NearLongitude},  // SUGADAIRA
    {31.25F, 131.079F, StationFilter::NearLongitude},   // UCHINOURA
    {67.878F, 21.064F, StationFilter::North20},         // ESRANGE
    {-69.0008F, 39.585F, StationFilter::South20},       // SYOWA
    {64.873F, 213.165F, StationFilter::Always},         // FAIRBANKS
    {40.4F, 356.32F, StationFilter::Always},            // MADRID
    {34.6F, 135.517F, StationFilter::Always},           // OSAKA
    {34.03F, 241.717F, StationFilter::Always},          // UCLA
}};

const Row& row(int ista) { return ROWS[static_cast<std::size_t>(ista - 1)]; }

}  // namespace

Single STATAB::STLAT(int ista) { return row(ista).lat; }
Single STATAB::STLON(int ista) { return row(ista).lon; }
StationFilter STATAB::filter(int ista) { return row(ista).filter; }

std::string station_name(int ista) {
    const std::string_view padded = STATAB::STNAME(ista);
    return std::string(padded.substr(0, padded.find_last_not_of(' ') + 1));
}

int STATAB::find(std::string_view key) {
    if (key.size() == 1 && key[0] >= '1' && key[0] <= '0' + COUNT) return key[0] - '0';
    for (int ista = 1; ista <= COUNT; ++ista) {
        const std::string name = station_name(ista);
        if (name.size() != key.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < name.size() && same; ++i) {
            same = std::toupper(static_cast<unsigned char>(key[i])) == name[i];
        }
        if (same) return ista;
    }
    return 0;
}

}  // namespace talik
