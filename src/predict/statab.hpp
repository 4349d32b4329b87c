// statab.hpp - STATAB, the fixed table of the eight ground stations.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "numeric/single.hpp"

namespace talik {

// Where the look-angle work is done for a station (the pre-filter), with
// the band's half width and the latitude it uses, degrees.
inline constexpr double FILTER_HALF_WIDTH = 30.0;
inline constexpr double FILTER_LATITUDE = 20.0;
enum class StationFilter : std::uint8_t {
    NearLongitude,  // only within 30 degrees of the station's longitude
    North20,        // only when the sub-satellite latitude is at least 20
    South20,        // only when the sub-satellite latitude is at most -20
    Always,
};

// The names and the two visibility marks are kept as the blocks they have
// always been stored in: names padded to 10 characters in one block, the low
// and high elevation marks as pairs of equal characters.  Row n takes
// characters 10n-9..10n of the name block and 2n-1..2n of the mark blocks.
struct STATAB {
    static constexpr int COUNT = 8;
    static constexpr std::string_view NAMES =
        "SUGADAIRA UCHINOURA ESRANGE   SYOWA     FAIRBANKS MADRID    OSAKA     UCLA      ";
    static constexpr std::string_view MRKLO = "**++::==##//!!$$";
    static constexpr std::string_view MRKHI = "SSUUEESSFFMMOOLL";
    static constexpr std::size_t NAME_WIDTH = 10;  // characters of a name in NAMES
    static constexpr std::size_t MARK_WIDTH = 2;   // characters of a mark in MRKLO and MRKHI
    static_assert(NAMES.size() == NAME_WIDTH * COUNT && MRKLO.size() == MARK_WIDTH * COUNT &&
                  MRKHI.size() == MARK_WIDTH * COUNT);

    // Station ista (1..8).
    static std::string_view STNAME(int ista) { return NAMES.substr(index(ista) * NAME_WIDTH, NAME_WIDTH); }
    static std::string_view low_mark(int ista) { return MRKLO.substr(index(ista) * MARK_WIDTH, MARK_WIDTH); }
    static std::string_view high_mark(int ista) { return MRKHI.substr(index(ista) * MARK_WIDTH, MARK_WIDTH); }
    static Single STLAT(int ista);  // degrees, north positive
    static Single STLON(int ista);  // degrees east, 0 to 360
    static StationFilter filter(int ista);
    // The row named by its number or its name; 0 for none.
    static int find(std::string_view number_or_name);

private:
    // Station ista's place in the table, counted from 0.
    static constexpr std::size_t index(int ista) { return static_cast<std::size_t>(ista - 1); }
};

// Station ista's name without its padding: "MADRID".
std::string station_name(int ista);

}  // namespace talik
