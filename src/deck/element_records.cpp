// element_set_format, read_element_set, deck_element_places,
// list_element_set - the element set in the deck's records 3 to 5.
//
// Given:    deck          Deck        the deck, at the epoch record
//                                     (read_element_set), or the deck read
//                                     (deck_element_places)
//           epoch_record  int         the record of the epoch
//                                     (deck_element_places)
//           unit          Unit        where the listing goes
//                                     (list_element_set)
//           set           ElementSet  the set as read (list_element_set)
// Returned: (value)       Format      "(7I5/6F10.0/5F10.0)"
//                                     (element_set_format)
//           (value)       ElementSet  the set in the deck's units
//                                     (read_element_set)
//           (value)       FieldPlace  where each field stands: "DECK: record
//                                     4, columns 11-20" (deck_element_places)
// Thrown:   InputError                a record that is missing or cannot be
//                                     read (read_element_set)
//
// Notes:
//  - The records: the epoch (six I5 fields) and the revolution number (I5);
//    six F10.0 fields of elements (km, -, deg); five F10.0 fields of rates
//    (km/day, deg/day, deg/day, rev/day, and a fifth never looked at).
//  - The perigee, made of the axis and the eccentricity, is placed at both
//    their fields.  The listing is of the set as read, before any conversion.
#include "deck/element_records.hpp"

#include <string>

namespace talik {

const Format& element_set_format() {
    static const Format f("(7I5/6F10.0/5F10.0)");
    return f;
}

ElementSet read_element_set(Deck& deck) {
    ElementSet s;
    DATIM& E = s.EPOCH;
    read(deck, element_set_format(),
         {&E[0], &E[1], &E[2], &E[3], &E[4], &E[5], &s.NREV0, &s.SMA, &s.ECC, &s.INCL, &s.RAAN, &s.ARGP, &s.MANOM,
          &s.SMADT, &s.RAANDT, &s.ARGPDT, &s.MMOTION});
    return s;
}

FieldPlace deck_element_places(const Deck& deck, int epoch_record) {
    return [&deck, epoch_record](int field) {
        if (field < EL_SMA) {
            const int first = 5 * field + 1;
            return deck.place(epoch_record, first, first + 4);
        }
        if (field == EL_PERIGEE) return deck.place(epoch_record + 1, 1, 20);
        const int real = field - EL_SMA;
        const int first = 10 * (real % 6) + 1;
        return deck.place(epoch_record + 1 + real / 6, first, first + 9);
    };
}

void list_element_set(Unit& unit, const ElementSet& s) {
    static const Format LIST1("(19X,'EPOCH (UT):',30X,I4,2('/',I2),5X,2(I2,':'),I2,/,19X,'REVOLUTION NUMBER:',23X,I5)");
    static const Format LIST2(
        "(19X,'SEMI-MAJOR-AXIS (KM):',20X,F10.3,/,19X,'ECCENTRICITY:',28X,F10.6,/,19X,'INCLINATION (DEG):',23X,"
        "F10.3,/,19X,'R.A. OF ASCENDING NODE (DEG):',12X,F10.3,/,19X,'ARGUMENT OF PERIGEE (DEG):',14X,F10.3,/,19X,"
        "'MEAN ANOMALY (DEG):',29X,F10.3,/)");
    static const Format LIST3(
        "(19X,'DOT SEMI-MAJOR-AXIS (KM/DAY):',19X,F10.3,/,19X,'DOT R.A. OF ASCENDING NODE (DEG/DAY):',11X,F10.6,/,"
        "19X,'DOT ARGUMENT OF PERIGEE (DEG/DAY):',14X,F10.6,/,/,19X,'MEAN MOTION (REV/DAY):',26X,F10.6,/,/)");
    const DATIM& E = s.EPOCH;
    write(unit, LIST1, {E[0], E[1], E[2], E[3], E[4], E[5], s.NREV0});
    write(unit, LIST2, {s.SMA, s.ECC, s.INCL, s.RAAN, s.ARGP, s.MANOM});
    write(unit, LIST3, {s.SMADT, s.RAANDT, s.ARGPDT, s.MMOTION});
}

}  // namespace talik
