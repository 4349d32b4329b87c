// setfrm.hpp - the frame arguments that put a chosen reference direction at
// longitude 0 (reported as 360) of a frame with a chosen pole.
#pragma once

#include "geometry/sphrot.hpp"

namespace talik {

// The frame arguments (FLON, FLAT, FROT) of the frame whose pole is (PLON,
// PLAT) and in which the reference direction (RLON, RLAT) lies at longitude 0.
void SETFRM(Single PLON, Single PLAT, Single RLON, Single RLAT, Single& FLON, Single& FLAT, Single& FROT,
            SphrotFrame& frame);

}  // namespace talik
