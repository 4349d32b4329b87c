// ARCANG - cosine and sine of the great-circle arc between two points.
//
// Given:    SLAT1   Single  sine of the latitude of point 1
//           SLAT2   Single  sine of the latitude of point 2
//           CLAT1   Single  cosine of the latitude of point 1
//           CLAT2   Single  cosine of the latitude of point 2
//           DLON    Single  difference of the longitudes, rad, either sense
// Returned: CARC    Single  cosine of the arc, -1 to 1
//           SARC    Single  sine of the arc, 0 to 1
//
// Notes:
//  - The spherical law of cosines.  Rounding can push the cosine just past
//    1 in size, so it is limited before the sine is taken from it.
#include <cmath>

#include "geometry/arcang.hpp"
#include "numeric/intrinsics.hpp"

namespace talik {

void ARCANG(Single SLAT1, Single SLAT2, Single CLAT1, Single CLAT2, Single DLON, Single& CARC, Single& SARC) {
    CARC = std::cos(DLON) * CLAT2 * CLAT1 + SLAT2 * SLAT1;
    if (std::fabs(CARC) > 1.0) CARC = SIGN(1.0, CARC);
    SARC = std::sqrt(1.0 - CARC * CARC);
}

}  // namespace talik
