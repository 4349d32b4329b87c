// thin.hpp - a ground track thinned as its samples come, so that its size
// follows what the map can show rather than the length of the window.
#pragma once

#include <array>
#include <vector>

#include "plot/plot_data.hpp"

namespace talik::plot {

// Points kept per revolution of the orbit at most, besides the ones the
// styling needs.  A revolution crosses the map (1440 picture units) about
// once, so they lie under a picture unit apart: finer than the drawing's
// own simplification keeps.
inline constexpr int TRACK_POINTS_PER_REVOLUTION = 2000;

// Collects the kept samples of a track in out.
class TrackThinner {
public:
    using Direction = std::array<double, 3>;  // from the Earth's centre, not turning with it; any length

    TrackThinner(std::vector<TrackSample>& out, int points_per_revolution);
    // The next sample in time order, with the satellite's direction then.
    void add(const TrackSample& sample, const Direction& direction);
    // Keeps the last sample; once, after the last add.
    void finish();

private:
    void keep(const TrackSample& sample, const Direction& direction);

    std::vector<TrackSample>& out_;
    double spacing_rad_;
    Direction kept_direction_{};  // of the last sample kept
    TrackSample previous_{};      // the last sample given
    Direction previous_direction_{};
    bool has_previous_ = false;
    bool previous_kept_ = false;
};

}  // namespace talik::plot
