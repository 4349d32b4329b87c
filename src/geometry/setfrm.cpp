// SETFRM - frame with a given pole and a given reference direction.
//
// Given:    PLON, PLAT  Single       pole of the frame to build, degrees
//           RLON, RLAT  Single       reference direction, degrees (not
//                                    changed)
//           frame       SphrotFrame  SPHROT's kept frame
// Returned: FLON, FLAT  Single       PLON and PLAT, degrees
//           FROT        Single       longitude of the reference direction
//                                    in the frame (PLON, PLAT, 0), degrees,
//                                    (0, 360]
//           frame       SphrotFrame  left at (PLON, PLAT, 0)
//
// Notes:
//  - (FLON, FLAT, FROT) passed to SPHROT rotate into the frame in which the
//    reference direction lies at longitude 360, or just above 0 through the
//    single rounding of FROT.
//  - A pole at (0, 0) gives an all-zero frame set, so SPHROT uses the frame
//    it already keeps, and leaves it as it was.
#include "geometry/setfrm.hpp"

namespace talik {

void SETFRM(Single PLON, Single PLAT, Single RLON, Single RLAT, Single& FLON, Single& FLAT, Single& FROT,
            SphrotFrame& frame) {
    FLON = PLON;
    FLAT = PLAT;
    FROT = 0.0;
    Single wlon = RLON;
    Single wlat = RLAT;
    SPHROT(wlon, wlat, FLON, FLAT, FROT, frame);
    FROT = wlon;
}

}  // namespace talik
