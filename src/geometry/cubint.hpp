// cubint.hpp - four-point cubic interpolation in a table of 50 singles.
#pragma once

#include <array>
#include <cstdint>

#include "numeric/single.hpp"

namespace talik {

// The cubic through TAB(N - 1) .. TAB(N + 2), at P: -1 gives TAB(N), +1
// gives TAB(N + 1).
Single CUBINT(const std::array<Single, 50>& TAB, Single P, std::int16_t N);

}  // namespace talik
