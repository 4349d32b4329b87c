// TrackThinner, TrackThinner::add, TrackThinner::finish - a ground track
// thinned as its samples come.
//
// Given:    out                    vector<TrackSample>  receives the kept samples
//           points_per_revolution  int                  at most this many kept
//                                                       for their spacing in
//                                                       each revolution
//           sample                 TrackSample          the next sample in time
//                                                       order (add)
//           direction              Direction            the satellite from the
//                                                       Earth's centre, in a
//                                                       frame that does not
//                                                       turn with the Earth (add)
// Returned: out                    the samples kept
//
// Notes:
//  - A sample is kept when the satellite has turned at least 360 degrees /
//    points_per_revolution round the Earth's centre since the last one
//    kept; an orbit turns a full circle each revolution, so that is at most
//    points_per_revolution a revolution, closer together where it moves
//    fastest (an eccentric orbit's perigee).
//  - Both samples either side of a change of style (sunlit, in a pass,
//    visible), of a date-line crossing or of a sample that is not a number
//    are kept, as is the first and the last: the drawing cuts and styles
//    the line exactly where the whole track would have it.
#include "plot/thin.hpp"

#include <cmath>

#include "numeric/constants.hpp"
#include "plot/geo.hpp"

namespace talik::plot {
namespace {

double angle_between(const TrackThinner::Direction& a, const TrackThinner::Direction& b) {
    const double cross[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
    const double dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    return std::atan2(std::hypot(cross[0], cross[1], cross[2]), dot);
}

bool finite_sample(const TrackSample& s) { return std::isfinite(s.lat_deg) && std::isfinite(s.lon_deg); }

// The line between a and b is cut or styled anew at one of them.
bool boundary(const TrackSample& a, const TrackSample& b) {
    if (!finite_sample(a) || !finite_sample(b)) return true;
    return a.style() != b.style() || crosses_date_line(a.lon_deg, b.lon_deg);
}

}  // namespace

TrackThinner::TrackThinner(std::vector<TrackSample>& out, int points_per_revolution)
    : out_(out), spacing_rad_(DEGREES_PER_TURN / points_per_revolution * DEGRAD_DOUBLE) {}

void TrackThinner::keep(const TrackSample& sample, const Direction& direction) {
    out_.push_back(sample);
    kept_direction_ = direction;
}

void TrackThinner::add(const TrackSample& sample, const Direction& direction) {
    bool kept = true;
    if (has_previous_) {
        const bool cut = boundary(previous_, sample);
        if (cut && !previous_kept_) keep(previous_, previous_direction_);
        kept = cut || !(angle_between(kept_direction_, direction) < spacing_rad_);
    }
    if (kept) keep(sample, direction);
    previous_ = sample;
    previous_direction_ = direction;
    has_previous_ = true;
    previous_kept_ = kept;
}

void TrackThinner::finish() {
    if (has_previous_ && !previous_kept_) keep(previous_, previous_direction_);
    previous_kept_ = true;
}

}  // namespace talik::plot
