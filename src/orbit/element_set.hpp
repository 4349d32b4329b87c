// element_set.hpp - one set of mean orbital elements in the deck's own
// units, and the names of its fields for messages.
#pragma once

#include <array>
#include <cstdint>

#include "format/errors.hpp"
#include "numeric/single.hpp"
#include "time/datim.hpp"

namespace talik {

struct ElementSet {
    DATIM EPOCH{};           // epoch, UT
    std::int32_t NREV0 = 0;  // revolution number at the epoch
    Single SMA;              // semi-major axis, km
    Single ECC;              // eccentricity
    Single INCL;             // inclination, deg
    Single RAAN;             // right ascension of the ascending node, deg
    Single ARGP;             // argument of perigee, deg
    Single MANOM;            // mean anomaly, deg
    Single SMADT;            // rate of the semi-major axis, km/day
    Single RAANDT;           // node rate, deg/day (0: derived from the oblateness)
    Single ARGPDT;           // perigee rate, deg/day (0: derived from the oblateness)
    Single MMOTION;          // mean motion, rev/day (counts the revolutions only)

    // The ten reals in the deck's order (REAL_FIELDS).
    std::array<Single, 10> reals() const { return {SMA, ECC, INCL, RAAN, ARGP, MANOM, SMADT, RAANDT, ARGPDT, MMOTION}; }
};

// The fields of an element set, for messages: the epoch's six (YEAR ..
// SECOND), the revolution number, the ten reals in the deck's order, and the
// perigee (the semi-major axis and the eccentricity together).
enum ElementField : int {
    EL_EPOCH = 0,  // + YEAR .. SECOND
    EL_NREV0 = 6,
    EL_SMA = 7,
    EL_ECC,
    EL_INCL,
    EL_RAAN,
    EL_ARGP,
    EL_MANOM,
    EL_SMADT,
    EL_RAANDT,
    EL_ARGPDT,
    EL_MMOTION,
    EL_PERIGEE,
};

}  // namespace talik
