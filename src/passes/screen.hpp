// screen.hpp - a proven bound on how soon an object far from a site's sky
// can be in a pass there, so that a scan may jump over steps that cannot
// hold one.
#pragma once

#include <cstdint>
#include <optional>

#include "passes/object_orbit.hpp"
#include "passes/pass.hpp"
#include "predict/station.hpp"

namespace talik {

struct EllipsoidSite;

// The fewest steps a jump is worth: with fewer the scan goes on step by step.
inline constexpr std::int32_t JUMP_MIN_STEPS = 3;

// The bound for one object over one site, over the object's scan.
struct Screen {
    double sin_lat = 0.0;  // the site's geocentric direction: sine and cosine of its latitude
    double cos_lat = 1.0;
    double lon_rad = 0.0;           // and its east longitude, rad
    double reach_rad = 0.0;         // the widest arc from the site at which the object
                                    // can be in a pass, rad
    double margin_rad = 0.0;        // the model's rounding of the object's direction, both ends, rad
    double rate_rad_s = 0.0;        // the fastest that arc can change, rad/s
    double plane_rate_rad_s = 0.0;  // the fastest the site's arc from the orbit's
                                    // plane can change, rad/s
    ORBEL orbel{};                  // the elements: the plane's place at any time
    std::int32_t step_s = 0;        // the scan's step, seconds
    std::int32_t steps_max = 0;     // the longest jump: less than half a turn of the argument of latitude
    std::int32_t grid_steps = 1;    // jumps land on multiples of this many steps
                                    // where they can, for sites to share
};

// The screen of object over site once the orbit is set up, or none outside
// the envelope the bound is proven for.
std::optional<Screen> make_screen(const PassObject& object, const Site& site, const Station& station,
                                  const EllipsoidSite& ellipsoid, const ORBEL& orbel);

// How many steps after the point p, where the object is not in a pass, are
// surely not in one either.
std::int32_t clear_steps(const Screen& screen, OrbitPoint& p);

}  // namespace talik
