// setup_orbit - perturbed mean motion and secular rates of the node and the
// perigee; mean_motion_rate - the mean motion's rate for a decaying axis.
//
// Given:    orbel   ORBEL   SMA (km), ECC, INCL (rad), RAANDT, ARGPDT
//                           (rad/day, 0 to be derived) (setup_orbit)
//           SMA     Single  semi-major axis at the epoch, km
//                           (mean_motion_rate)
//           SMADT   Single  its rate, km/day (mean_motion_rate)
// Returned: orbel   ORBEL   MMOT (rad/min), RAANDT and ARGPDT where they
//                           were 0 (rad/day), CINCL, SINCL; ORBSET = 1
//                           (setup_orbit)
//           (value) Single  rate of the mean motion, rad/min per day
//                           (mean_motion_rate)
//
// Notes:
//  - The unperturbed mean motion from GM and SMA, corrected by the secular
//    J2 (to second order) and J4 terms; the rates likewise.  Each quantity
//    named below is stored as a single.  The coefficients are the model's
//    own decimals (1.7916667, 1.928571, 1.666667 and 0.2083333 are not the
//    fractions they stand near).  Rates that are not 0 are kept.
//  - mean_motion_rate: the derivative of n = XKE x^-1.5, with x the epoch
//    axis in Earth radii of EARTH_RADIUS_XKE, times SMADT.
#include "orbit/orbit_setup.hpp"

#include <cmath>

#include "numeric/constants.hpp"

namespace talik {

void setup_orbit(ORBEL& el) {
    el.ORBSET = 1;
    const Single N0 = std::sqrt(GM / std::pow(static_cast<double>(el.SMA), 3.0));
    const Single E2 = el.ECC * el.ECC;
    const Single P = (1.0 - E2) * el.SMA / EARTH_RADIUS;
    const Single BETA = std::sqrt(1.0 - E2);
    const Single CI = std::cos(el.INCL);
    const Single SI = std::sin(el.INCL);
    const Single CI2 = CI * CI;
    const Single SI2 = SI * SI;
    const Single K2 = J2 / P / P;
    const Single K22 = K2 * K2;
    const Single G2 = 1.5 * K2;
    const Single G4 = J4 / P / P / P / P;

    const Single Q = (((25.0 * BETA + 144.0) * BETA + 105.0) * CI2 - (90.0 * BETA + 96.0) * BETA - 30.0) * CI2 +
                     (25.0 * BETA + 16.0) * BETA - 15.0;
    const Single NBAR = N0 * ((Q * K22 * BETA * Single(0.0234375) + (1.0 - 1.5 * SI2) * G2 * BETA) + 1.0 -
                              ((35.0 * CI2 - 30.0) * CI2 + 3.0) * BETA * Single(0.3515625) * E2 * G4);
    el.MMOT = SECONDS_PER_MINUTE * NBAR;
    el.CINCL = CI;
    el.SINCL = SI;

    if (el.ARGPDT == 0.0) {
        el.ARGPDT = SECONDS_PER_DAY *
                    ((1.0 + G2 * ((0.5 * E2 + 2.0 - 2.0 * BETA) - (Single(1.7916667) - E2 / 48.0 - 3.0 * BETA) * SI2)) *
                         (2.0 - 2.5 * SI2) * G2 * NBAR -
                     1.25 * K22 * CI2 * CI2 * E2 * N0 -
                     ((((5.0625 * SI2 - 6.75) * SI2 + Single(1.928571)) * E2 + (5.25 * SI2 - Single(6.642857)) * SI2) +
                      Single(1.7142857)) *
                         4.375 * G4 * N0);
    }
    if (el.RAANDT == 0.0) {
        el.RAANDT = -(SECONDS_PER_DAY * CI *
                      ((1.0 + G2 * ((E2 / 6.0 + 1.5 - 2.0 * BETA) -
                                    (Single(1.666667) - Single(0.2083333) * E2 - 3.0 * BETA) * SI2)) *
                           G2 * NBAR +
                       (Single(0.8571428) - 1.5 * SI2) * (1.5 * E2 + 1.0) * G4 * N0 * 4.375));
    }
}

Single mean_motion_rate(Single SMA, Single SMADT) {
    const Single X = SMA / EARTH_RADIUS_XKE;
    return -((XKE * 1.5) / std::sqrt(X) / X / X) * SMADT / EARTH_RADIUS_XKE;
}

}  // namespace talik
