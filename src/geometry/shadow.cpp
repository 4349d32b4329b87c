// SHADOW - is the satellite in sunlight or in the Earth's shadow?
//
// Given:    POS     Vec3    geocentric equatorial position (x, y, z), km
//           SDEC    Single  declination of the Sun, rad
//           SRA     Single  right ascension of the Sun, rad
// Returned: LIT     int16   1 in sunlight, 0 in the shadow
//
// Notes:
//  - The shadow is a cylinder of radius EARTH_RADIUS_XKE behind the Earth
//    along the Sun's direction.  The position is turned so that the Sun
//    lies on the third axis; a point on the Sun's side of the plane through
//    the Earth's centre is lit, any other only at or beyond that radius from
//    the Earth-Sun line.
//  - A plain cylinder: no penumbra, no cone, no flattening.
//  - Pi here is PI_SHADOW, one unit in the last place below the single
//    nearest to pi; it only enters the two rotation angles.
#include <cmath>

#include "geometry/shadow.hpp"
#include "numeric/constants.hpp"

namespace talik {

void SHADOW(const Vec3& POS, Single SDEC, Single SRA, std::int16_t& LIT) {
    const Single PI = PI_SHADOW;
    const Single RSHADE = EARTH_RADIUS_XKE;

    const Single X = POS[0];
    const Single Y = POS[1];
    const Single Z = POS[2];

    // Turn about the polar axis by -SRA.
    const Single t = 2.0 * PI - SRA;
    const Single X1 = std::cos(t) * X - std::sin(t) * Y;
    const Single Y1 = std::sin(t) * X + std::cos(t) * Y;
    const Single Z1 = Z;

    // Tilt the Sun onto the third axis.
    const Single u = PI * 0.5 - SDEC;
    const Single X2 = std::cos(u) * X1 - std::sin(u) * Z1;
    const Single Y2 = Y1;
    const Single Z2 = std::sin(u) * X1 + std::cos(u) * Z1;

    if (Z2 > 0.0) {
        LIT = 1;
        return;
    }
    const Single R = std::sqrt(Y2 * Y2 + X2 * X2);
    LIT = R >= RSHADE ? 1 : 0;
}

}  // namespace talik
