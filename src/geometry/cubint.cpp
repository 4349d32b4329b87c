// CUBINT - four-point cubic interpolation in a table.
//
// Given:    TAB     array of 50 Single  the table, TAB(1) .. TAB(50) (TAB[0]
//                                       .. TAB[49])
//           P       Single              position: -1 at TAB(N), +1 at
//                                       TAB(N + 1); the four nodes lie at
//                                       -3, -1, +1, +3
//           N       int16               1-based index of the entry at or
//                                       before P
// Returned: (value) Single              the cubic through TAB(N - 1) ..
//                                       TAB(N + 2), at P
//
// Notes:
//  - Lagrange's cubic written as Q3 P^3 + Q2 P^2 + Q1 P + Q0 and evaluated by
//    Horner's rule; any cubic is reproduced, to single rounding.
//  - P outside -3..3 extrapolates.
#include <algorithm>

#include "geometry/cubint.hpp"

namespace talik {

Single CUBINT(const std::array<Single, 50>& TAB, Single P, std::int16_t N) {
    // mended: N must leave N - 1 and N + 2 inside the 50 entries; clamp it rather than read beyond them.
    const int n = std::clamp<int>(N, 2, 48);
    const auto at = [&TAB](int i) { return TAB[static_cast<std::size_t>(i - 1)]; };

    const Single Y0 = at(n - 1);
    const Single Y1 = at(n);
    const Single Y2 = at(n + 1);
    const Single Y3 = at(n + 2);

    const Single Q3 = ((Y3 - Y0) - 3.0 * (Y2 - Y1)) / 48.0;
    const Single Q2 = ((Y3 + Y0) - (Y2 + Y1)) / 16.0;
    const Single Q1 = (27.0 * (Y2 - Y1) - (Y3 - Y0)) / 48.0;
    const Single Q0 = (9.0 * (Y2 + Y1) - (Y3 + Y0)) / 16.0;

    return ((Q3 * P + Q2) * P + Q1) * P + Q0;
}

}  // namespace talik
