// altlat.hpp - height above the reference ellipsoid.
#pragma once

#include "numeric/single.hpp"

namespace talik {

// The height HGT (km) above the ellipsoid of the point at geocentric
// distance R and latitude PHIC, and the latitude PHIF of the normal's foot.
void ALTLAT(Single R, Single PHIC, Single& HGT, Single& PHIF);

}  // namespace talik
