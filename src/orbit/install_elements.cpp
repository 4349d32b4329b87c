// install_element_set, revolutions_at - an element set in the propagator's
// units, and the revolution number it gives.
//
// Given:    set     ElementSet  the set in the deck's units, checked
//                               (check_element_set) for dt, so that its
//                               epoch lies within 32767 days of dt
//           dt      DATIM       start date-time of the prediction, UT
// Returned: orbel   ORBEL       the element record, all fields but ORBSET,
//                               CINCL and SINCL (left alone): angles in
//                               rad, rates in rad/day, SMADT in km/day,
//                               EPOCHJ the epoch's Julian day number, MMOT
//                               and MMOTDT 0 for the propagator's set-up to
//                               fill (install_element_set)
//           (value) int32       revolution number of the satellite at dt
//                               (install_element_set)
//           (value) double      the same with its fraction, before
//                               truncation (revolutions_at)
//
// Notes:
//  - The revolution number at dt is the one at the epoch, plus the part of
//    the revolution already done (the mean argument of latitude at the
//    epoch), plus the revolutions from the epoch to dt at the mean motion
//    corrected by the turning of the perigee and the node.  The elapsed time
//    is the whole days between the dates plus the hour, minute and second
//    differences.
#include "orbit/install_elements.hpp"

#include <cmath>

#include "numeric/constants.hpp"
#include "numeric/intrinsics.hpp"
#include "time/juldat.hpp"

namespace talik {

double revolutions_at(const ElementSet& s, const DATIM& dt) {
    double JDS = 0.0;
    double JDE = 0.0;
    Single gst;
    JULDAT(JDS, gst, dt);
    JULDAT(JDE, gst, s.EPOCH);
    const auto ND = static_cast<std::int16_t>(std::trunc(JDS - JDE));

    // The node's and perigee's turning changes the period between node
    // crossings; taken while both rates are in degrees per day.
    const Single W = (s.ARGPDT - s.RAANDT) / DEGREES_PER_TURN;
    const Single ARGP = s.ARGP * DEGRAD;
    const Single MANOM = s.MANOM * DEGRAD;
    const Single F = MOD(ARGP + MANOM, TWOPI) / TWOPI + s.NREV0;
    const DATIM& E = s.EPOCH;
    const Single DELT = ND + ((dt[HOUR] - E[HOUR]) * MINUTES_PER_HOUR + (dt[SECOND] - E[SECOND]) / SECONDS_PER_MINUTE +
                              (dt[MINUTE] - E[MINUTE])) /
                                 MINUTES_PER_DAY;
    return (W + s.MMOTION) * DELT + F;
}

std::int32_t install_element_set(const ElementSet& s, const DATIM& dt, ORBEL& orbel) {
    orbel.EPOCH = s.EPOCH;
    orbel.SMA = s.SMA;
    orbel.ECC = s.ECC;
    orbel.INCL = s.INCL * DEGRAD;
    orbel.RAAN = s.RAAN * DEGRAD;
    orbel.ARGP = s.ARGP * DEGRAD;
    orbel.MANOM = s.MANOM * DEGRAD;
    orbel.SMADT = s.SMADT;
    orbel.RAANDT = s.RAANDT * DEGRAD;
    orbel.ARGPDT = s.ARGPDT * DEGRAD;
    orbel.MMOT = 0.0;
    orbel.MMOTDT = 0.0;
    Single gst;
    JULDAT(orbel.EPOCHJ, gst, s.EPOCH);
    return INT(revolutions_at(s, dt));
}

}  // namespace talik
