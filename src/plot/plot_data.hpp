// plot_data.hpp - the plain data the pictures are drawn from.
//
// A caller fills these records from its own model (ground track, sites,
// passes) and hands them to the drawing functions of plot.hpp; nothing here
// computes an orbit.  Every string comes from the user's input and is
// escaped where it is written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace talik::plot {

// One sample of the ground track.
struct TrackSample {
    std::int64_t t_ms;  // UTC, milliseconds since 1970-01-01 (no leap seconds)
    double lat_deg;     // sub-satellite latitude, north positive
    double lon_deg;     // east longitude, any range
    bool sunlit;        // outside the Earth's shadow
    bool in_pass;       // inside a pass of some site from this sample on
    bool visible;       // inside the visible stretch of some pass from this sample on

    // How the track is drawn from this sample on: 0 to 3 as sunlit and
    // in_pass say, 4 in a visible stretch.
    int style() const { return visible ? 4 : (sunlit ? 2 : 0) + (in_pass ? 1 : 0); }
};

// Region in which a table station examines the satellite at all.
enum class Prefilter { None, LongitudeBand, LatitudeAtLeast, LatitudeAtMost };

struct SiteView {
    std::string name;
    double lat_deg = 0, lon_deg = 0;
    double horizon_radius_deg = 0;   // central angle of the 0 deg elevation circle
    double min_elev_radius_deg = 0;  // the same at the minimum elevation
    double min_elevation_deg = 0;
    Prefilter prefilter = Prefilter::None;
    double prefilter_value = 0;  // band half width (deg) or the bounding latitude (deg)
};

// One point of a pass's track in the sky.
struct SkyPoint {
    std::int64_t t_ms;
    double az_deg, el_deg;
    bool sunlit;
    bool visible;  // inside the pass's visible stretch from this point on
};

// One pass, for a sky plot and a row of the pass table.
struct PassView {
    int number = 0;  // 1, 2, ... in the order listed: by site as given, then by time
    std::string object, site;
    std::int32_t rev = 0;
    std::int64_t aos_ms = 0, tca_ms = 0, los_ms = 0;
    double aos_az_deg = 0, tca_el_deg = 0, tca_az_deg = 0, tca_range_km = 0, los_az_deg = 0;
    double sunlit_fraction = 0;                              // 0..1
    std::string marks;                                       // antenna marks seen during the pass, e.g. "AB"
    std::vector<std::string> flags;                          // e.g. "starts_before_window", "filter_cut"
    double site_sun_el_deg = 0;                              // the Sun's elevation at the site at the culmination
    std::int32_t visible_s = 0;                              // seconds sunlit against a dark sky
    std::int64_t visible_first_ms = 0, visible_last_ms = 0;  // the visible stretch, when visible_s > 0
    std::vector<SkyPoint> sky;                               // AOS to LOS
};

struct PlotData {
    std::string title;
    std::string object;                     // object name and number
    std::int64_t start_ms = 0, end_ms = 0;  // the window
    std::vector<TrackSample> track;         // in time order
    std::vector<SiteView> sites;
    std::vector<PassView> passes;  // by site, then by time: passes[i].number is i + 1
};

}  // namespace talik::plot
