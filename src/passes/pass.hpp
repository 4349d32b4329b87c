// pass.hpp - what a pass finder is given (an object with its scan and its
// sites) and what it finds (passes).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "orbit/element_set.hpp"

namespace talik {

enum class SiteKind : std::uint8_t {
    Station,    // one of the eight stations, with its pre-filter (talik's passes)
    Sphere,     // any site on the stations' sphere (site_station, look_angles)
    Ellipsoid,  // any site on WGS-84 at its height, seen with plain vectors
};

struct Site {
    std::string name;  // as the output shows it
    SiteKind kind = SiteKind::Station;
    int station = 0;                 // 1 to 8, for a station
    double lat_deg = 0.0;            // degrees north, for a site
    double lon_deg = 0.0;            // degrees east, for a site
    double height_km = 0.0;          // above WGS-84, for an ellipsoid site only
    double min_elevation_deg = 0.0;  // 0 to below 90
};

// The instants a run steps through: start + k * step for k = 0 .. count-1.
struct Scan {
    std::int64_t start = 0;      // model seconds (model_seconds)
    std::int32_t step = 0;       // seconds; negative runs backward
    std::int32_t count = 0;      // number of steps; 0 or less runs none
    bool between_steps = false;  // look for passes that rise and set between two steps
};

// One object to predict: its element set, its scan and where it is seen from.
struct PassObject {
    std::string label;                           // as the output shows it: "25544 ISS (ZARYA)"
    std::optional<std::int32_t> catalog_number;  // of an element set; none for a deck
    std::string name;                            // the object's own name as read ("" for none)
    std::string source;                          // where it was read, for messages
    ElementSet elements;
    Scan scan;
    std::vector<Site> sites;
};

inline constexpr const char* FLAG_STARTS_BEFORE = "starts_before_window";
inline constexpr const char* FLAG_ENDS_AFTER = "ends_after_window";
inline constexpr const char* FLAG_FILTER_CUT = "filter_cut";
inline constexpr const char* FLAG_STALE_ELEMENTS = "stale_elements";

// How far below the site's horizon the Sun must be for a sunlit satellite
// to be seen against a dark enough sky, degrees (civil twilight's end).
inline constexpr double DARK_SKY_SUN_EL_DEG = -6.0;

// One pass; times are in tenths of a second of the model's time (model_seconds * TENTHS).
struct Pass {
    std::string object;
    std::optional<std::int32_t> catalog_number;
    std::string name;
    std::string site;
    std::int32_t rev = 0;  // revolution number at AOS
    std::int64_t aos = 0;
    double aos_az_deg = 0.0;
    std::int64_t tca = 0;  // culmination
    double tca_el_deg = 0.0;
    double tca_az_deg = 0.0;
    double tca_range_km = 0.0;
    std::int64_t los = 0;
    double los_az_deg = 0.0;
    double sunlit_fraction = 0.0;    // of the steps in the pass
    std::string marks;               // antenna marks seen, in order: "A", "B", "AB", "BA"
    double site_sun_el_deg = 0.0;    // the Sun's elevation at the site at the culmination
    std::int32_t visible_s = 0;      // whole seconds sunlit with the Sun at least 6 degrees below the horizon
    std::int64_t visible_first = 0;  // the first and last of them (tenths), when visible_s > 0
    std::int64_t visible_last = 0;
    bool starts_before_window = false;
    bool ends_after_window = false;
    bool filter_cut = false;
    bool stale_elements = false;  // more than ELEMENTS_AGE_DAYS from the elements' epoch

    double duration_s() const { return static_cast<double>(los - aos) / 10.0; }
    // The flags set, in the order above.
    std::vector<std::string> flags() const;
};

}  // namespace talik
