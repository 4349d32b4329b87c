// polar.hpp - cartesian vector to radius, declination and right ascension.
#pragma once

#include "numeric/single.hpp"

namespace talik {

// R = |V|, and V's declination DECL and right ascension RA (rad).
void POLAR(const Vec3& V, Single& DECL, Single& RA, Single& R);

}  // namespace talik
