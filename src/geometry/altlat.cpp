// ALTLAT - height above the reference ellipsoid and latitude of its foot.
//
// Given:    R       Single  geocentric distance of the point, km, > 0
//           PHIC    Single  geocentric latitude of the point, rad
// Returned: HGT     Single  height above the ellipsoid along the normal
//                           through the point, km
//           PHIF    Single  geocentric latitude of the foot of the normal,
//                           rad
//
// Notes:
//  - Ellipsoid a = EARTH_RADIUS, e2 = ELLIPSOID_E2 (flattening 1/298.3).
//  - Fixed-point iteration on the foot's geocentric latitude psi: from psi
//    the foot point and the angle delta between normal and radius there; the
//    triangle centre-foot-point gives the height and the angle alpha at the
//    centre, and psi = PHIC - alpha.  Stops when psi moves by at most 1e-5
//    rad, or after 5 passes, silently.
//  - HGT belongs to the last pass's psi before its update; PHIF is the
//    updated psi.
//  - A latitude of +-90 degrees or beyond (cos PHIC <= 0; the single nearest
//    to pi/2 lies just beyond it) is a point on the polar axis: HGT is R
//    minus the polar radius a sqrt(1 - e2), 6356.778 km, and PHIF = PHIC,
//    the formulas' limit.
#include <cmath>

#include "geometry/altlat.hpp"
#include "numeric/constants.hpp"
#include "numeric/intrinsics.hpp"

namespace talik {

void ALTLAT(Single R, Single PHIC, Single& HGT, Single& PHIF) {
    const Single A = EARTH_RADIUS;
    const Single E2 = ELLIPSOID_E2;
    const Single OME2 = ELLIPSOID_1_MINUS_E2;
    const Single RME2 = ELLIPSOID_1_OVER_1_MINUS_E2;
    const Single TOL = 1e-05;
    const int PASSES = 5;

    if (std::cos(PHIC) <= 0.0) {
        // mended: on the polar axis step 2 divides by cos psi <= 0 and flips the sign; return the formulas' limit.
        const Single r = A * std::sqrt(OME2 / 1.0);
        HGT = R - r;
        PHIF = PHIC;
        return;
    }

    Single psi = PHIC;
    int k = 0;
    for (;;) {
        const double cpsi = std::cos(psi);
        const Single r = A * std::sqrt(OME2 / (1.0 - E2 * cpsi * cpsi));
        const Single phi = std::atan(RME2 * std::sin(psi) / cpsi);
        const double delta = phi - psi;
        const Single sdelta = std::sin(delta);
        const double cdelta = std::cos(delta);
        // mended: a point within ~22 km of the centre would take the root of a negative; use 0.
        HGT = std::sqrt(nonneg(R * R - (r * sdelta) * (r * sdelta))) - r * cdelta;
        const Single sigma = HGT * sdelta / R;
        // mended: |sigma| past 1 (same points) would take the root of a negative; use 0.
        const Single csigma = std::sqrt(nonneg(1.0 - sigma * sigma));
        const Single alpha = std::atan(sigma / csigma);
        const Single dpsi = (PHIC - alpha) - psi;
        psi = PHIC - alpha;
        ++k;
        if (std::fabs(dpsi) <= TOL || k >= PASSES) break;
    }
    PHIF = psi;
}

}  // namespace talik
