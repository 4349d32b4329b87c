// JULDAT - Julian day number and Greenwich mean sidereal angle.
//
// Given:    dt      DATIM   date-time, UT, from 1901 on
// Returned: jdn     double  Julian day number of the date's noon (integral;
//                           1901-01-01 gives 2415386.0); the time of day
//                           does not enter it
//           gst     Single  Greenwich mean sidereal angle at dt, degrees, in
//                           [0, 360) for dates from 1900 on
//
// Notes:
//  - The leap days are counted with truncating divisions from 1901, which
//    is right for every date from 1901 on; callers refuse earlier years.
//  - The sidereal angle is Newcomb's expression at 0h UT with T in Julian
//    centuries from 1900 January 0.5, plus the sidereal advance over the
//    minutes of UT of the day.
#include <cmath>
#include <cstdint>

#include "time/juldat.hpp"
#include "numeric/constants.hpp"
#include "numeric/intrinsics.hpp"

namespace talik {

void JULDAT(double& jdn, Single& gst, const DATIM& dt) {
    const std::int16_t Y = dt[YEAR];
    const std::int16_t M = dt[MONTH];
    const std::int16_t D = dt[DAY];
    const Single H = dt[HOUR];
    const Single MI = dt[MINUTE];
    const Single S = dt[SECOND];

    const auto YY = static_cast<std::int16_t>(Y - 1901);
    const auto L = static_cast<std::int16_t>(YY / 4 - YY / 100 + (YY + 300) / 400);

    bool leap = false;
    if (Y % 4 == 0) leap = (Y % 100 != 0) || (Y % 400 == 0);

    const std::int32_t D0 = 365 * static_cast<std::int32_t>(YY) + L;

    // Days before the month: 30 a month plus the months of 31 days so far,
    // less February's shortfall from March on.
    int K = 0;
    if (M <= 2) {
        K = M / 2;
    } else if (M <= 8) {
        K = M / 2 - 2 + (leap ? 1 : 0);
    } else {
        K = (M + 1) / 2 - 2 + (leap ? 1 : 0);
    }
    K = 30 * (M - 1) + K;

    jdn = static_cast<double>(static_cast<std::int32_t>(D + K + D0)) + 2415385.0;

    const double T = ((jdn - JD_1900_JAN_0_5) - 0.5) / DAYS_PER_JULIAN_CENTURY;
    const Single U = H * 60.0 + S / 60.0 + MI;
    const double THETA = (0.00038708 * T + 36000.7689) * T + EARTH_ROTATION_DEG_PER_MIN * U + 99.6909833;
    gst = MOD(THETA, 360.0);
}

}  // namespace talik
