// cubint.hpp - four-point cubic interpolation in a table of 50 singles.
#pragma once

#include <array>
#include <cstdint>

#include "numeric/single.hpp"

namespace talik {

// Four-point cubic through TAB(N - 1) .. TAB(N + 2) (N 1-based, nodes at
// P = -3, -1, +1, +3), evaluated at P: -1 gives TAB(N), +1 gives TAB(N + 1).
Single CUBINT(const std::array<Single, 50>& TAB, Single P, std::int16_t N);

}  // namespace talik
