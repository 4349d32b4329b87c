// suntab.hpp - building the Sun table of a run.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/suncom.hpp"
#include "orbit/kepler.hpp"

namespace talik {

// Fills suncom for the table year IYEAR; returns the solutions of Kepler's
// equation that did not converge.
std::vector<KeplerStatus> SUNTAB(std::int16_t IYEAR, SUNCOM& suncom);

}  // namespace talik
