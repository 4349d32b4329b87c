// altlat.hpp - height above the reference ellipsoid.
#pragma once

#include "numeric/single.hpp"

namespace talik {

// For a point at geocentric distance R (km, > 0) and geocentric latitude PHIC
// (radians) returns its height HGT (km) above the ellipsoid along the normal
// through it, and PHIF (radians), the geocentric latitude of the normal's foot.
// At PHIC = +-90 degrees (on the polar axis) HGT = R - a sqrt(1 - e2) and PHIF = PHIC.
void ALTLAT(Single R, Single PHIC, Single& HGT, Single& PHIF);

}  // namespace talik
