// rotate.hpp - orbital plane to equatorial frame.
#pragma once

#include "format/numeric.hpp"

namespace talik {

// W = Rz(NODE) * Rx(INCL) * Rz(ARGP) * V (angles in rad).  W may be the same
// vector as V.
void ROTATE(const Vec3& V, Single ARGP, Single NODE, Single INCL, Vec3& W);

}  // namespace talik
