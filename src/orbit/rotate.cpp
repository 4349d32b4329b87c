// ROTATE - turn a vector from the orbital plane into the equatorial frame.
//
// Given:    V       Vec3    vector in the orbital-plane frame (x to perigee,
//                           z along the orbit normal), any length unit
//           ARGP    Single  argument of perigee, rad
//           NODE    Single  right ascension of the ascending node, rad
//           INCL    Single  inclination, rad; or
//           CI, SI  Single  its cosine and sine, stored as singles
// Returned: W       Vec3    the same vector in the equatorial frame (x to
//                           the vernal equinox, z to the north pole)
//
// Notes:
//  - W = Rz(NODE) * Rx(INCL) * Rz(ARGP) * V.  V's x and y are used up before
//    W is written and V's z is read after W's x and y, so W may be V.
//  - The form with CI and SI serves the propagator, whose inclination never
//    changes: it keeps them from its set-up instead of evaluating them at
//    every step.
#include <cmath>

#include "orbit/rotate.hpp"

namespace talik {

void ROTATE(const Vec3& V, Single ARGP, Single NODE, Single INCL, Vec3& W) {
    ROTATE(V, ARGP, NODE, Single(std::cos(INCL)), Single(std::sin(INCL)), W);
}

void ROTATE(const Vec3& V, Single ARGP, Single NODE, Single CI, Single SI, Vec3& W) {
    const Single CN = std::cos(NODE);
    const Single SN = std::sin(NODE);
    const Single CA = std::cos(ARGP);
    const Single SA = std::sin(ARGP);

    // Turned by the argument of perigee within the orbital plane.
    const Single X = V[0] * CA - V[1] * SA;
    const Single Y = V[0] * SA + V[1] * CA;

    W[0] = X * CN - (Y * CI - V[2] * SI) * SN;
    W[1] = (Y * CI - V[2] * SI) * CN + X * SN;
    W[2] = V[2] * CI + Y * SI;
}

}  // namespace talik
