// pass_track, doppler_hz - a pass's pointing track, and its Doppler shift.
//
// Given:    object           PassObject  what is seen
//           site             Site        from where
//           pass             Pass        a pass of object over site, found
//                                        by find_passes
//           spacing_s        int32       seconds between rows, 1 or more
//           frequency_mhz    double      a signal's frequency, MHz
//                                        (doppler_hz)
//           range_rate_km_s  double      the range rate, km/s, positive
//                                        receding (doppler_hz)
// Returned: (value)          vector of TrackPoint
//                                        the rows at the whole model seconds
//                                        from the first inside AOS to the
//                                        last inside LOS, spacing_s apart,
//                                        with the last one and the one
//                                        nearest the culmination, in time
//                                        order (pass_track)
//           (value)          double      the Doppler shift, Hz: receding
//                                        lowers the frequency (doppler_hz)
//
// Notes:
//  - Each row is the pass finder's own sample at that second (azimuth,
//    elevation and range as the pass is found) with the range rate from the
//    model's motion (orbit_velocity) and the site's turning with the Earth.
#include "passes/track.hpp"

#include <algorithm>
#include <cstdlib>

#include "numeric/constants.hpp"
#include "passes/object_orbit.hpp"
#include "passes/view.hpp"
#include "time/iso_datim.hpp"

namespace talik {

namespace {

constexpr double HZ_PER_MHZ = 1.0e6;

}  // namespace

std::vector<TrackPoint> pass_track(const PassObject& object, const Site& site, const Pass& pass,
                                   std::int32_t spacing_s) {
    const std::int64_t first = (pass.aos + TENTHS - 1) / TENTHS;
    const std::int64_t last = pass.los / TENTHS;
    std::vector<std::int64_t> seconds;
    for (std::int64_t t = first; t <= last; t += spacing_s) seconds.push_back(t);
    seconds.push_back(last);
    seconds.push_back(std::clamp<std::int64_t>((pass.tca + TENTHS / 2) / TENTHS, first, last));
    std::sort(seconds.begin(), seconds.end());
    seconds.erase(std::unique(seconds.begin(), seconds.end()), seconds.end());
    ObjectOrbit orbit(object);
    View view(site, orbit);
    std::vector<TrackPoint> track;
    track.reserve(seconds.size());
    for (const std::int64_t t : seconds) {
        if (first > last) break;
        const SkyState sky = view.sky_at(t);
        track.push_back({t, sky.sample.az_deg, sky.sample.el_deg, sky.sample.range_km, sky.range_rate_km_s, sky.lat_deg,
                         sky.lon_deg, sky.height_km, sky.sunlit});
    }
    return track;
}

double doppler_hz(double frequency_mhz, double range_rate_km_s) {
    return -frequency_mhz * HZ_PER_MHZ * range_rate_km_s / SPEED_OF_LIGHT_KM_S;
}

}  // namespace talik
