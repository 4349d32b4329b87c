// rotate.hpp - orbital plane to equatorial frame.
#pragma once

#include "numeric/single.hpp"

namespace talik {

// W = Rz(NODE) * Rx(INCL) * Rz(ARGP) * V (angles in rad).
void ROTATE(const Vec3& V, Single ARGP, Single NODE, Single INCL, Vec3& W);

// The same rotation with the cosine and sine of the inclination given.
void ROTATE(const Vec3& V, Single ARGP, Single NODE, Single CI, Single SI, Vec3& W);

}  // namespace talik
