// seconds_since_epoch, semi_major_axis_at - elapsed time and decayed axis.
//
// Given:    orbel   ORBEL   EPOCH, EPOCHJ (seconds_since_epoch); SMA, SMADT
//                           (semi_major_axis_at)
//           JDN     double  Julian day number of DT's date (JULDAT)
//           DT      DATIM   date-time, UT
//           TD      Single  days since the epoch
// Returned: (value) Single  seconds from the epoch to DT
//                           (seconds_since_epoch); the semi-major axis TD
//                           days after the epoch, km (semi_major_axis_at)
//
// Notes:
//  - The seconds are the whole days in double, then the hour, minute and
//    second differences as integers, the result stored as a single.  The
//    axis changes linearly at SMADT.
//  - The propagator and the check of a decaying orbit both use these, so
//    that a refusal and a propagated position see the same axis.
#include "orbit/since_epoch.hpp"

#include "numeric/constants.hpp"

namespace talik {

Single seconds_since_epoch(const ORBEL& orbel, double JDN, const DATIM& DT) {
    return (((JDN - orbel.EPOCHJ) * HOURS_PER_DAY + (DT[HOUR] - orbel.EPOCH[HOUR])) * MINUTES_PER_HOUR +
            (DT[MINUTE] - orbel.EPOCH[MINUTE])) *
               SECONDS_PER_MINUTE +
           (DT[SECOND] - orbel.EPOCH[SECOND]);
}

Single semi_major_axis_at(const ORBEL& orbel, Single TD) { return orbel.SMA + orbel.SMADT * TD; }

}  // namespace talik
