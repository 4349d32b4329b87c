// SUNTAB - build the Sun table of a run.
//
// Given:    IYEAR   int16   year of the table origin, 1 January 0 h
// Returned: suncom  SUNCOM  TABDT, TABJDN and entries 1 to 46 of SUNDEC and
//                           SUNRA (rad), one every 10 days from 40 days
//                           before the origin
//           (value) vector of KeplerStatus  the solutions of Kepler's
//                           equation that did not converge, in table order
//                           (none for any year the program supports), for
//                           the caller to report
//
// Notes:
//  - Newcomb-type mean elements of the Sun at 0 h 0 m 35 s of each entry's
//    day (35 s stands for the difference of the time scales), Kepler's
//    equation for the true anomaly, then the true longitude turned to the
//    equator.  No aberration, no nutation.
//  - Everything is single except the day numbers.
//  - The right ascension is made to rise through the table: an entry below
//    its predecessor gets 2 pi added, so interpolation never sees a wrap.
#include <cmath>

#include "geometry/suntab.hpp"
#include "orbit/kepler.hpp"
#include "time/juldat.hpp"
#include "numeric/constants.hpp"
#include "numeric/intrinsics.hpp"

namespace talik {

std::vector<KeplerStatus> SUNTAB(std::int16_t IYEAR, SUNCOM& suncom) {
    std::vector<KeplerStatus> failures;
    const Single SEC35 = 0.00040509258;  // 35 s in days
    const Single CENTURY = DAYS_PER_JULIAN_CENTURY;

    // Longitude of perigee, degrees.
    const Single W0 = 281.22083;
    const Single W1 = 1.719175;
    const Single W2 = 4.527778e-4;
    const Single W3 = 3.333333e-6;
    // Mean anomaly, degrees.
    const Single M0 = 358.47583;
    const Single M1 = 35999.05;
    const Single M2 = 1.502778e-4;
    const Single M3 = 3.333333e-6;
    // Obliquity of the ecliptic, degrees.
    const Single E0 = 23.452293;
    const Single E1 = 0.0130125;
    const Single E2 = 1.638889e-6;
    const Single E3 = 5.027778e-7;
    // Eccentricity.
    const Single C0 = 0.016751;
    const Single C1 = 4.18e-5;
    const Single C2 = 1.26e-7;

    suncom.TABDT = DATIM{IYEAR, 1, 1, 0, 0, 0};
    Single gst;  // not needed
    JULDAT(suncom.TABJDN, gst, suncom.TABDT);

    double J = suncom.TABJDN - 40.0;
    for (std::size_t I = 0; I < 46; ++I) {
        const Single T = (J - JD_1900_JAN_0_5 - 0.5 + SEC35) / CENTURY;

        Single perig = ((W3 * T + W2) * T + W1) * T + W0;
        Single manom = ((-M3 * T - M2) * T + M1) * T + M0;
        Single obliq = ((E3 * T - E2) * T - E1) * T + E0;
        const Single ecc = (-C2 * T - C1) * T + C0;

        perig = MOD(perig, 360.0) * DEGRAD;
        manom = MOD(manom, 360.0) * DEGRAD;
        obliq = obliq * DEGRAD;

        Single EE;
        const KeplerStatus kepler = KEPLER(manom, ecc, EE);
        if (!kepler.converged) failures.push_back(kepler);

        // True anomaly by the half-angle formula, kept in 0..2 pi.
        Single nu = 2.0 *
                    std::atan((std::sin(EE / 2.0) * std::sqrt(1.0 + ecc) / std::sqrt(1.0 - ecc)) / std::cos(EE / 2.0));
        if (EE > PI) nu = nu + TWOPI;

        const Single lambda = nu + perig;

        const Single y = std::cos(obliq) * std::sin(lambda);
        const Single x = std::cos(lambda);
        Single alpha;
        if (x != 0.0) {
            alpha = std::atan(y / x);
        } else {
            alpha = PI / 2.0;
        }
        if (x < 0.0) alpha = alpha + PI;
        if (alpha < 0.0) alpha = alpha + TWOPI;
        if (I > 0 && suncom.SUNRA[I - 1] > alpha) alpha = alpha + TWOPI;
        suncom.SUNRA[I] = alpha;

        suncom.SUNDEC[I] = std::atan(std::sin(alpha) * std::sin(obliq) / std::cos(obliq));

        J = J + 10.0;
    }
    return failures;
}

}  // namespace talik
