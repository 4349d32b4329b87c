// setfrm.hpp - the frame arguments that put a chosen reference direction at
// longitude 0 (reported as 360) of a frame with a chosen pole.
#pragma once

#include "geometry/sphrot.hpp"

namespace talik {

// Builds the frame whose pole is (PLON, PLAT) and in which the reference
// direction (RLON, RLAT) lies at longitude 0.
//   FLON, FLAT  out  degrees  set to PLON, PLAT
//   FROT        out  degrees  longitude of the reference direction in the
//                             frame (PLON, PLAT, 0), in (0, 360]
//   frame       in/out        left holding the frame (PLON, PLAT, 0), unless
//                             PLON = PLAT = 0, when the kept frame is used
void SETFRM(Single PLON, Single PLAT, Single RLON, Single RLAT, Single& FLON, Single& FLAT, Single& FROT,
            SphrotFrame& frame);

}  // namespace talik
