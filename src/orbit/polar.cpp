// POLAR - radius, declination and right ascension of a cartesian vector.
//
// Given:    V       Vec3    cartesian vector (x, y, z), any length unit
// Returned: DECL    Single  angle above the x-y plane, rad, -pi/2 to pi/2
//           RA      Single  angle in the x-y plane from +x toward +y, rad,
//                           0 to 2pi
//           R       Single  length of V
//
// Notes:
//  - A vector within 1.0E-10 of the z axis has RA = 0 and DECL = +pi/2 when
//    z > 0, else -pi/2 (so the zero vector gives -pi/2).
//  - An x below 5.0E-11 in size counts as 0: RA is then pi/2 or 3pi/2.
//    Otherwise the quadrant is resolved by the signs of x and y; the +x axis
//    gives 0.
#include <cmath>

#include "orbit/polar.hpp"
#include "numeric/constants.hpp"
#include "numeric/intrinsics.hpp"

namespace talik {

void POLAR(const Vec3& V, Single& DECL, Single& RA, Single& R) {
    const Single RHOMIN = 1.0E-10;
    const Single XMIN = 5.0E-11;

    const Single x = V[0];
    const Single y = V[1];
    const Single z = V[2];

    R = std::sqrt(x * x + y * y + z * z);
    const Single RHO = std::sqrt(x * x + y * y);
    if (RHO < RHOMIN) {
        RA = 0.0;
        DECL = z > 0.0 ? PIH : Single(-PIH);
        return;
    }
    DECL = std::atan(z / RHO);

    if (std::fabs(x) < XMIN) {
        RA = y > 0.0 ? PIH : Single(PI + PIH);
        return;
    }

    Single A = std::atan(std::fabs(y / x));
    if (x > 0.0) {
        if (!(y > 0.0)) A = TWOPI - A;
    } else {
        A = y > 0.0 ? Single(PI - A) : Single(A + PI);
    }
    // The +x axis gives 2pi - 0 above; the remainder turns it into 0.
    RA = MOD(A, TWOPI);
}

}  // namespace talik
