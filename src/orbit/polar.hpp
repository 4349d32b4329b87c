// polar.hpp - cartesian vector to radius, declination and right ascension.
#pragma once

#include "numeric/single.hpp"

namespace talik {

// R = |V|; DECL in -pi/2..pi/2 above the x-y plane; RA in 0..2pi from +x
// toward +y (rad).
void POLAR(const Vec3& V, Single& DECL, Single& RA, Single& R);

}  // namespace talik
