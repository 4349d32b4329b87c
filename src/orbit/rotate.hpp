// rotate.hpp - orbital plane to equatorial frame.
#pragma once

#include "numeric/single.hpp"

namespace talik {

// W = Rz(NODE) * Rx(INCL) * Rz(ARGP) * V (angles in rad).  W may be the same
// vector as V.
void ROTATE(const Vec3& V, Single ARGP, Single NODE, Single INCL, Vec3& W);

// The same rotation with the cosine and sine of the inclination given, as
// stored singles: the propagator's inclination never changes, so it keeps
// them from its set-up instead of evaluating them at every step.
void ROTATE(const Vec3& V, Single ARGP, Single NODE, Single CI, Single SI, Vec3& W);

}  // namespace talik
