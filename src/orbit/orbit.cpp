// ORBIT - satellite position from mean elements with secular perturbations;
// mean_state - its time since the epoch and mean elements at a date-time.
//
// Given:    DT      DATIM         date-time, UT
//           orbel   ORBEL         element record (installed by ELMINP);
//                                 completed on the first call, when ORBSET
//                                 is 0 (setup_orbit)
// Returned: R       Single        geocentric distance, km
//           DECL    Single        declination, rad, -pi/2 to pi/2
//           RA      Single        right ascension, rad, 0 to 2pi
//           POS     Vec3          equatorial position vector, km
//           JDN     double        Julian day number of DT's date (JULDAT)
//           GST     Single        Greenwich mean sidereal angle at DT, deg
//           orbout  ORBOUT        current mean elements and rates (see
//                                 orbit.hpp)
//           orbel   ORBEL         ORBSET, MMOT, zero RAANDT/ARGPDT (set-up)
//                                 and MMOTDT (every call, when SMADT is not 0)
//           (value) KeplerStatus  how Kepler's equation was solved, for the
//                                 caller to report a failure to converge
//           (value) MeanState     mean_state: seconds TS, days TD and minutes
//                                 TM since the epoch, the axis A (km), NODE,
//                                 OMEGA and M (rad), as ORBIT stores them
//
// Notes:
//  - Keplerian motion on an ellipse whose node and perigee turn at the
//    secular J2/J4 rates, whose mean motion carries the secular J2/J4
//    correction and whose semi-major axis changes linearly at SMADT, with
//    the matching quadratic term in the mean anomaly.  No periodic terms.
//  - Rates that the element set gives as non-zero are kept as they are.
//  - The mean anomaly is not reduced to one revolution.
#include "orbit/orbit.hpp"

#include <cmath>

#include "numeric/constants.hpp"
#include "numeric/intrinsics.hpp"
#include "orbit/orbit_setup.hpp"
#include "orbit/polar.hpp"
#include "orbit/rotate.hpp"
#include "orbit/since_epoch.hpp"
#include "time/juldat.hpp"

namespace talik {

MeanState mean_state(const ORBEL& orbel, double JDN, const DATIM& DT) {
    MeanState m;
    m.TS = seconds_since_epoch(orbel, JDN, DT);
    m.TD = m.TS / SECONDS_PER_DAY;
    m.TM = m.TS / SECONDS_PER_MINUTE;
    m.A = semi_major_axis_at(orbel, m.TD);
    m.NODE = orbel.RAANDT * m.TD + orbel.RAAN;
    m.OMEGA = orbel.ARGPDT * m.TD + orbel.ARGP;
    m.M = (m.TM * orbel.MMOTDT * 0.5 / MINUTES_PER_DAY + orbel.MMOT) * m.TM + orbel.MANOM;
    return m;
}

KeplerStatus ORBIT(const DATIM& DT, Single& R, Single& DECL, Single& RA, Vec3& POS, double& JDN, Single& GST,
                   ORBOUT& orbout, ORBEL& orbel) {
    if (orbel.ORBSET == 0) {
        setup_orbit(orbel);
    }

    JULDAT(JDN, GST, DT);

    // Recomputed at every call, with the same result: the rate belongs to
    // the epoch axis.
    if (orbel.SMADT != 0.0) {
        orbel.MMOTDT = mean_motion_rate(orbel.SMA, orbel.SMADT);
    }

    const MeanState state = mean_state(orbel, JDN, DT);
    const Single A = state.A;
    const Single HP = (1.0 - orbel.ECC) * A - EARTH_RADIUS;
    const Single HA = (orbel.ECC + 1.0) * A - EARTH_RADIUS;
    const Single NODE = state.NODE;
    const Single OMEGA = state.OMEGA;
    const Single M = state.M;

    Single E;
    const KeplerStatus kepler = KEPLER(M, orbel.ECC, E);

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
    orbout[5] = MOD(M / DEGRAD, DEGREES_PER_TURN);
    orbout[6] = orbel.RAANDT / DEGRAD;
    orbout[7] = orbel.ARGPDT / DEGRAD;
    orbout[8] = orbel.MMOT / DEGRAD;
    orbout[9] = orbel.SMADT;
    orbout[10] = orbel.MMOTDT / DEGRAD;
    orbout[11] = HP;
    orbout[12] = HA;
    return kepler;
}

}  // namespace talik
