// aspect.hpp - a celestial direction measured against a line of sight.
#pragma once

#include "numeric/single.hpp"
#include "geometry/sphrot.hpp"

namespace talik {

// Measures the direction (DIRRA, DIRDEC) against the line of sight from the
// station to the satellite: its position angle PA and latitude ALAT about it.
void ASPECT(Single AZ, Single EL, Single GST, Single DIRRA, Single DIRDEC, Single& PA, Single& ALAT, Single STLAT,
            Single STLON, SphrotFrame& frame);

}  // namespace talik
