// ELMINP - read, list and install the element set.
//
// Given:
//    dt      DATIM          start date-time of the prediction, UT
//    deck    Deck           input deck; its next three records are read
//    iout    int16          output choice: 6 lists the set on the console
//    console Console        where the listing goes
// Returned:
//    nrev    int32          revolution number of the satellite at dt
//    orbel   ORBEL          the element record, all fields but ORBSET: angles
//                           in rad, rates in rad/day, SMADT in km/day, MMOT
//                           and MMOTDT 0 for ORBIT's set-up to fill
//
// Notes:
//    The records are read with "(7I5/6F10.0/5F10.0)" into the epoch, the
//    revolution number at epoch and ten reals, so the fifth field of the
//    rates record is never looked at.  A set the propagator cannot work
//    with is refused with an InputError before anything is listed: a bad
//    epoch date-time, an eccentricity outside 0 <= e < 1, a semi-major axis
//    that is not positive, a value that is not finite, a perigee within
//    100 km of the Earth's centre, a semi-major axis of 1000000 km or more,
//    a rate beyond 1000000 km or degrees a day, an epoch more than 32767
//    days from the start date (the day count is a 16-bit value), or a
//    revolution number too near the 32-bit limit to be counted on.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "time/datecheck.hpp"
#include "time/elminp.hpp"
#include "time/juldat.hpp"
#include "numeric/constants.hpp"
#include "numeric/intrinsics.hpp"

namespace talik {

void ELMINP(const DATIM& dt, std::int32_t& nrev, Deck& deck, std::int16_t iout, Console& console, ORBEL& orbel) {
    static const Format INFMT("(7I5/6F10.0/5F10.0)");
    static const Format LIST1("(19X,'EPOCH (UT):',30X,I4,2('/',I2),5X,2(I2,':'),I2,/,19X,'REVOLUTION NUMBER:',23X,I5)");
    static const Format LIST2(
        "(19X,'SEMI-MAJOR-AXIS (KM):',20X,F10.3,/,19X,'ECCENTRICITY:',28X,F10.6,/,19X,'INCLINATION (DEG):',23X,"
        "F10.3,/,19X,'R.A. OF ASCENDING NODE (DEG):',12X,F10.3,/,19X,'ARGUMENT OF PERIGEE (DEG):',14X,F10.3,/,19X,"
        "'MEAN ANOMALY (DEG):',29X,F10.3,/)");
    static const Format LIST3(
        "(19X,'DOT SEMI-MAJOR-AXIS (KM/DAY):',19X,F10.3,/,19X,'DOT R.A. OF ASCENDING NODE (DEG/DAY):',11X,F10.6,/,"
        "19X,'DOT ARGUMENT OF PERIGEE (DEG/DAY):',14X,F10.6,/,/,19X,'MEAN MOTION (REV/DAY):',26X,F10.6,/,/)");
    static const char* const NAMES[10] = {"semi-major axis",
                                          "eccentricity",
                                          "inclination",
                                          "right ascension of the ascending node",
                                          "argument of perigee",
                                          "mean anomaly",
                                          "rate of the semi-major axis",
                                          "rate of the right ascension of the ascending node",
                                          "rate of the argument of perigee",
                                          "mean motion"};

    const Single DTR = DEGRAD;
    const double RATE_MAX = 1.0e6;  // km/day or degrees/day

    double JDS = 0.0;
    Single gst;
    JULDAT(JDS, gst, dt);

    // Built in a copy and installed at the end, so a refused set leaves
    // the record as it was.
    ORBEL el = orbel;
    el.INCL = 0.0;
    el.ARGP = 0.0;
    el.RAAN = 0.0;
    el.MANOM = 0.0;
    el.RAANDT = 0.0;
    el.ARGPDT = 0.0;
    el.MMOT = 0.0;
    el.SMADT = 0.0;
    el.MMOTDT = 0.0;

    DATIM E{};
    std::int32_t N0 = 0;
    std::array<Single, 10> R{};
    read(deck, INFMT,
         {&E[0], &E[1], &E[2], &E[3], &E[4], &E[5], &N0, &R[0], &R[1], &R[2], &R[3], &R[4], &R[5], &R[6], &R[7], &R[8],
          &R[9]});
    const int rec_epoch = deck.records_read() - 2;
    // Records of the six elements and of the four rates.
    const int rec_of[2] = {deck.records_read() - 1, deck.records_read()};

    // Refuse what the propagator cannot work with; nothing is listed or
    // installed for a refused set.
    int field = 0;
    const std::string problem = date_problem(E, field);
    if (!problem.empty()) {
        throw InputError(deck.at(rec_epoch, 5 * field + 1, 5 * field + 5) + problem);
    }
    for (int i = 0; i < 10; ++i) {
        const int rec = rec_of[i / 6];
        const int first = 10 * (i % 6) + 1;
        const std::string at = deck.at(rec, first, first + 9);
        const Single value = R[static_cast<std::size_t>(i)];
        if (!std::isfinite(static_cast<double>(value))) {
            throw InputError(at + NAMES[i] + " " + shortest(value) + " is not a finite number");
        }
        if (i == 0 && !(R[0] > 0.0)) {
            throw InputError(at + "semi-major axis " + shortest(R[0]) + " must be positive");
        }
        if (i == 1 && !(R[1] >= 0.0 && R[1] < 1.0)) {
            throw InputError(at + "eccentricity " + shortest(R[1]) + " is outside 0 <= e < 1");
        }
        // mended: a rate this large overflows the node, the perigee or the mean motion's rate within the run.
        if (i >= 6 && i <= 8 && !(std::fabs(value) <= RATE_MAX)) {
            const char* unit = i == 6 ? " km/day" : " deg/day";
            throw InputError(at + NAMES[i] + " " + shortest(value) + unit + " is outside -1000000 to 1000000" + unit);
        }
    }
    // mended: a perigee near the centre overflows the set-up and leaves the
    // height without meaning; one beyond the Earth's reach is no orbit.
    const double perigee = (1.0 - R[1]) * R[0];
    if (!(perigee >= PERIGEE_MIN)) {
        char km[48];
        std::snprintf(km, sizeof km, "%.4g km", perigee);
        throw InputError(deck.at(rec_of[0], 1, 20) + "the perigee lies " + km +
                         " from the Earth's centre (semi-major axis " + shortest(R[0]) + ", eccentricity " +
                         shortest(R[1]) + "); it must lie at least 100 km from it");
    }
    if (!(R[0] < SMA_MAX)) {
        throw InputError(deck.at(rec_of[0], 1, 10) + "semi-major axis " + shortest(R[0]) +
                         " km is 1000000 km or more, beyond any orbit of the Earth");
    }

    double JDE = 0.0;
    JULDAT(JDE, gst, E);
    const double days = std::trunc(JDS - JDE);
    if (std::fabs(days) > 32767.0) {
        const long apart = static_cast<long>(std::fabs(days));
        throw InputError(deck.at(rec_epoch, 1, 5) + "the epoch is " + std::to_string(apart) +
                         " days from the start; at most 32767 are allowed");
    }

    const auto ND = static_cast<std::int16_t>(days);

    el.EPOCH = E;
    el.SMA = R[0];
    el.ECC = R[1];
    el.INCL = R[2];
    el.RAAN = R[3];
    el.ARGP = R[4];
    el.MANOM = R[5];
    el.SMADT = R[6];
    el.RAANDT = R[7];
    el.ARGPDT = R[8];
    el.EPOCHJ = JDE;

    // The node's and perigee's turning changes the period between node
    // crossings; taken while both rates are still in degrees per day.
    const Single W = (el.ARGPDT - el.RAANDT) / 360.0;

    el.INCL = el.INCL * DTR;
    el.ARGP = el.ARGP * DTR;
    el.RAAN = el.RAAN * DTR;
    el.MANOM = el.MANOM * DTR;
    el.RAANDT = el.RAANDT * DTR;
    el.ARGPDT = el.ARGPDT * DTR;
    el.MMOT = el.MMOT * DTR;
    el.MMOTDT = el.MMOTDT * DTR;

    // The mean argument of latitude at epoch is the part of the revolution
    // already done.
    const Single F = MOD(el.ARGP + el.MANOM, TWOPI) / TWOPI + N0;
    const Single DELT =
        ND + ((dt[HOUR] - E[HOUR]) * 60.0 + (dt[SECOND] - E[SECOND]) / 60.0 + (dt[MINUTE] - E[MINUTE])) / MINUTES_PER_DAY;

    const double revs = (W + R[9]) * DELT + F;
    // mended: a revolution number beyond 32 bits cannot be stored; refuse it instead of an undefined conversion.
    // The run counts at most one more per step (NCALC has five columns), so that room is kept too.
    if (!(std::fabs(revs) < 2147483648.0 - 100000.0)) {
        throw InputError(deck.at(rec_of[1], 31, 40) + "mean motion " + shortest(R[9]) +
                         " gives a revolution number at the start beyond the 32-bit range");
    }
    nrev = INT(revs);

    // The listing echoes the set as read, before any conversion.
    if (iout == 6) {
        write(console, LIST1, {E[0], E[1], E[2], E[3], E[4], E[5], N0});
        write(console, LIST2, {R[0], R[1], R[2], R[3], R[4], R[5]});
        write(console, LIST3, {R[6], R[7], R[8], R[9]});
    }
    orbel = el;
}

}  // namespace talik
