// element_set.hpp - one set of mean orbital elements as an input deck gives
// it: read, listed and shown in the deck's own units.
#pragma once

#include <array>
#include <cstdint>

#include "format/deck.hpp"
#include "format/errors.hpp"
#include "format/format.hpp"
#include "numeric/single.hpp"
#include "time/datim.hpp"

namespace talik {

struct ElementSet {
    DATIM EPOCH{};        // epoch, UT
    std::int32_t NREV0 = 0;  // revolution number at the epoch
    Single SMA;           // semi-major axis, km
    Single ECC;           // eccentricity
    Single INCL;          // inclination, deg
    Single RAAN;          // right ascension of the ascending node, deg
    Single ARGP;          // argument of perigee, deg
    Single MANOM;         // mean anomaly, deg
    Single SMADT;         // rate of the semi-major axis, km/day
    Single RAANDT;        // node rate, deg/day (0: derived from the oblateness)
    Single ARGPDT;        // perigee rate, deg/day (0: derived from the oblateness)
    Single MMOTION;       // mean motion, rev/day (counts the revolutions only)

    // The ten reals in the deck's order (REAL_FIELDS).
    std::array<Single, 10> reals() const {
        return {SMA, ECC, INCL, RAAN, ARGP, MANOM, SMADT, RAANDT, ARGPDT, MMOTION};
    }
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

// The format of the three element records, "(7I5/6F10.0/5F10.0)".
const Format& element_set_format();

// Reads the three element records with element_set_format(); the fifth
// field of the rates record is never looked at.  Throws InputError for a
// record that is missing or cannot be read.
ElementSet read_element_set(Deck& deck);

// Where each field of an element set whose epoch record is epoch_record
// stands in the deck: "DECK: record 4, columns 11-20".
FieldPlace deck_element_places(const Deck& deck, int epoch_record);

// The listing of the set as read, before any conversion: three records
// groups of the epoch and revolution number, the elements, the rates.
void list_element_set(Unit& unit, const ElementSet& set);

}  // namespace talik
