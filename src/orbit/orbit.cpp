// ORBIT - satellite position from mean elements with secular perturbations.
//
// Given:
//    DT      DATIM          date-time, UT
//    orbel   ORBEL          element record (filled by ELMINP); completed on
//                           the first call, when ORBSET is 0
//    console Console        receives KEPLER's line of a failed iteration
// Returned:
//    R       Single         geocentric distance, km
//    DECL    Single         declination, rad, -pi/2..pi/2
//    RA      Single         right ascension, rad, 0..2pi
//    POS     Vec3           equatorial position vector, km
//    JDN     double         Julian day number of DT's date (JULDAT)
//    GST     Single         Greenwich mean sidereal angle at DT, deg
//    orbout  ORBOUT         current mean elements and rates (see orbit.hpp)
//    orbel   ORBEL          ORBSET, MMOT, zero RAANDT/ARGPDT (set-up) and
//                           MMOTDT (every call, when SMADT is not 0)
//
// Notes:
//    Keplerian motion on an ellipse whose node and perigee turn at the
//    secular J2/J4 rates, whose mean motion carries the secular J2/J4
//    correction and whose semi-major axis changes linearly at SMADT, with
//    the matching quadratic term in the mean anomaly.  No periodic terms.
//    Rates that the element set gives as non-zero are kept as they are.
//    The mean anomaly is not reduced to one revolution.
#include <cmath>

#include "orbit/kepler.hpp"
#include "orbit/orbit.hpp"
#include "orbit/polar.hpp"
#include "orbit/rotate.hpp"
#include "time/juldat.hpp"
#include "numeric/constants.hpp"
#include "numeric/intrinsics.hpp"

namespace talik {

namespace {

// Perturbed mean motion (rad/min) and, where the elements give 0, the node
// and perigee rates (rad/day).
void setup(ORBEL& el) {
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
    el.MMOT = 60.0 * NBAR;
    el.CINCL = CI;
    el.SINCL = SI;

    if (el.ARGPDT == 0.0) {
        el.ARGPDT =
            SECONDS_PER_DAY *
            ((1.0 + G2 * ((0.5 * E2 + 2.0 - 2.0 * BETA) - (Single(1.7916667) - E2 / 48.0 - 3.0 * BETA) * SI2)) *
                 (2.0 - 2.5 * SI2) * G2 * NBAR -
             1.25 * K22 * CI2 * CI2 * E2 * N0 -
             ((((5.0625 * SI2 - 6.75) * SI2 + Single(1.928571)) * E2 + (5.25 * SI2 - Single(6.642857)) * SI2) +
              Single(1.7142857)) *
                 4.375 * G4 * N0);
    }
    if (el.RAANDT == 0.0) {
        el.RAANDT =
            -(SECONDS_PER_DAY * CI *
              ((1.0 + G2 * ((E2 / 6.0 + 1.5 - 2.0 * BETA) -
                            (Single(1.666667) - Single(0.2083333) * E2 - 3.0 * BETA) * SI2)) *
                   G2 * NBAR +
               (Single(0.8571428) - 1.5 * SI2) * (1.5 * E2 + 1.0) * G4 * N0 * 4.375));
    }
}

}  // namespace

void ORBIT(const DATIM& DT, Single& R, Single& DECL, Single& RA, Vec3& POS, double& JDN, Single& GST, ORBOUT& orbout,
           ORBEL& orbel, Console& console) {
    if (orbel.ORBSET == 0) {
        orbel.ORBSET = 1;
        setup(orbel);
    }

    JULDAT(JDN, GST, DT);

    // Time since the epoch: whole days in double, the time of day as
    // integer differences.
    const Single TS = (((JDN - orbel.EPOCHJ) * 24.0 + (DT[HOUR] - orbel.EPOCH[HOUR])) * 60.0 +
                       (DT[MINUTE] - orbel.EPOCH[MINUTE])) *
                          60.0 +
                      (DT[SECOND] - orbel.EPOCH[SECOND]);
    const Single TD = TS / SECONDS_PER_DAY;
    const Single TM = TS / SECONDS_PER_MINUTE;

    const Single A = orbel.SMA + orbel.SMADT * TD;
    const Single HP = (1.0 - orbel.ECC) * A - EARTH_RADIUS;
    const Single HA = (orbel.ECC + 1.0) * A - EARTH_RADIUS;

    // The rate of the mean motion n = XKE * x^-1.5 for the given decay of
    // the semi-major axis, taken at the epoch value.
    if (orbel.SMADT != 0.0) {
        const Single X = orbel.SMA / EARTH_RADIUS_XKE;
        orbel.MMOTDT = -((XKE * 1.5) / std::sqrt(X) / X / X) * orbel.SMADT / EARTH_RADIUS_XKE;
    }

    const Single NODE = orbel.RAANDT * TD + orbel.RAAN;
    const Single OMEGA = orbel.ARGPDT * TD + orbel.ARGP;
    const Single M = (TM * orbel.MMOTDT * 0.5 / MINUTES_PER_DAY + orbel.MMOT) * TM + orbel.MANOM;

    Single E;
    KEPLER(M, orbel.ECC, E, console);

    // True anomaly by the half-angle formula.
    const Single NU = 2.0 * std::atan((std::sqrt(1.0 + orbel.ECC) * std::sin(E / 2.0)) / std::cos(E / 2.0) /
                                      std::sqrt(1.0 - orbel.ECC));
    const Single RR = (1.0 - std::cos(E) * orbel.ECC) * A;

    const Vec3 V = {RR * std::cos(NU), RR * std::sin(NU), Single(0.0)};
    ROTATE(V, OMEGA, NODE, orbel.CINCL, orbel.SINCL, POS);
    POLAR(POS, DECL, RA, R);

    orbout[0] = A;
    orbout[1] = orbel.ECC;
    orbout[2] = orbel.INCL / DEGRAD;
    orbout[3] = OMEGA / DEGRAD;
    orbout[4] = NODE / DEGRAD;
    orbout[5] = MOD(M / DEGRAD, 360.0);
    orbout[6] = orbel.RAANDT / DEGRAD;
    orbout[7] = orbel.ARGPDT / DEGRAD;
    orbout[8] = orbel.MMOT / DEGRAD;
    orbout[9] = orbel.SMADT;
    orbout[10] = orbel.MMOTDT / DEGRAD;
    orbout[11] = HP;
    orbout[12] = HA;
}

}  // namespace talik
