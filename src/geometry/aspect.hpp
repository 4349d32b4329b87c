// aspect.hpp - a celestial direction measured against a line of sight.
#pragma once

#include "numeric/single.hpp"
#include "geometry/sphrot.hpp"

namespace talik {

// Measures the direction (DIRRA, DIRDEC) against the line of sight from the
// station (STLAT, STLON) to a satellite seen at azimuth AZ and elevation EL
// when the Greenwich sidereal angle is GST (all degrees).
//   PA    out  degrees  position angle about the line of sight, (0, 360]:
//                       0 on the nadir side, 180 on the zenith side,
//                       right-handed about the station-to-satellite vector
//   ALAT  out  degrees  latitude of the direction in the frame whose pole is
//                       the line of sight (90 minus the angle between them)
//   frame in/out        SPHROT's kept frame, used as scratch
// At EL = 90 (the zenith, where azimuth and PA are undefined) PA is 180 and
// ALAT is 90 minus the angle between the zenith and the direction.
void ASPECT(Single AZ, Single EL, Single GST, Single DIRRA, Single DIRDEC, Single& PA, Single& ALAT, Single STLAT,
            Single STLON, SphrotFrame& frame);

}  // namespace talik
