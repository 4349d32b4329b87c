// track.hpp - the pointing track of a pass: one row per whole second at a
// spacing, with the range rate the model's motion gives.
#pragma once

#include <cstdint>
#include <vector>

#include "passes/pass.hpp"

namespace talik {

struct TrackPoint {
    std::int64_t t = 0;   // model seconds
    double az_deg = 0.0;  // from north through east
    double el_deg = 0.0;
    double range_km = 0.0;
    double range_rate_km_s = 0.0;  // positive receding
    double lat_deg = 0.0;          // the sub-satellite point
    double lon_deg = 0.0;          // east, 0 to 360
    double height_km = 0.0;
    bool sunlit = false;
};

// The track of pass of object over site: whole seconds from AOS to LOS,
// spacing_s apart, in time order.
std::vector<TrackPoint> pass_track(const PassObject& object, const Site& site, const Pass& pass,
                                   std::int32_t spacing_s);

// The Doppler shift of a signal of frequency_mhz at range rate
// range_rate_km_s (receding lowers it), Hz.
double doppler_hz(double frequency_mhz, double range_rate_km_s);

}  // namespace talik
