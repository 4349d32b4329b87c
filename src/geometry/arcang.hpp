// arcang.hpp - great-circle arc between two points of a sphere.
#pragma once

#include "numeric/single.hpp"

namespace talik {

// Cosine and sine of the arc between two points given by the sines and
// cosines of their latitudes and the difference of their longitudes.
void ARCANG(Single SLAT1, Single SLAT2, Single CLAT1, Single CLAT2, Single DLON, Single& CARC, Single& SARC);

}  // namespace talik
