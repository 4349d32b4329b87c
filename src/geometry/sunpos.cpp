// SUNPOS - the Sun's declination and right ascension off the Sun table.
//
// Given:    JDN     double  Julian day number of the date (noon-based, as
//                           TABJDN)
//           DT      DATIM   date-time; only hour, minute and second are read
//           suncom  SUNCOM  the table built by SUNTAB
// Returned: SDEC    Single  declination of the Sun, rad
//           SRA     Single  right ascension of the Sun, rad, in [0, 2 pi]
//
// Notes:
//  - Entry N is the entry on day 10 (K / 10) of the K whole days since the
//    origin; P counts from it in units of 5 days, minus 1, and is below -1
//    for a negative K that is not a multiple of 10.  CUBINT interpolates.
//  - The table's right ascension keeps rising past 2 pi; one 2 pi comes off
//    after the interpolation, so SRA goes smoothly through the equinox.
//  - Dates outside SUN_FIRST_DAY..SUN_LAST_DAY are the caller's mistake.
//    Up to the last filled entries (day -40 and day +410) the outermost four
//    entries are used; beyond them the Sun is held at the first or last
//    entry.  No entry outside 1..46 is ever read.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "geometry/sunpos.hpp"
#include "geometry/cubint.hpp"
#include "numeric/constants.hpp"
#include "numeric/intrinsics.hpp"

namespace talik {

void SUNPOS(double JDN, const DATIM& DT, Single& SDEC, Single& SRA, const SUNCOM& suncom) {
    const auto IHM = static_cast<std::int16_t>(DT[HOUR] * 60 + DT[MINUTE]);
    const Single F = (IHM * 60.0 + DT[SECOND]) / SECONDS_PER_DAY;

    const double days = std::trunc(JDN - suncom.TABJDN);
    std::int16_t N = 0;
    Single P;
    if (days >= SUN_FIRST_DAY && days <= SUN_LAST_DAY) {
        const auto K = static_cast<std::int16_t>(days);
        N = static_cast<std::int16_t>(K / 10 + 5);
        P = (IMOD<std::int16_t>(K, 10) + F) / 5.0 - 1.0;
    } else {
        // mended: outside the window not all four entries exist; use the outermost four, then hold the end entry.
        constexpr int FIRST_ENTRY_DAY = -40;   // entry 1
        constexpr int LAST_ENTRY_DAY = 410;    // entry 46
        if (!(days + F >= FIRST_ENTRY_DAY)) {  // also a day number that is not a number
            N = 2;
            P = -3.0;
        } else if (days + F > LAST_ENTRY_DAY) {
            N = 44;
            P = 3.0;
        } else {
            const auto K = static_cast<std::int16_t>(days);
            N = static_cast<std::int16_t>(std::clamp(K / 10 + 5, 2, 44));
            P = (K - 10 * (N - 5) + F) / 5.0 - 1.0;
        }
    }

    SDEC = CUBINT(suncom.SUNDEC, P, N);
    SRA = CUBINT(suncom.SUNRA, P, N);
    if (SRA > TWOPI) SRA = SRA - TWOPI;
}

}  // namespace talik
