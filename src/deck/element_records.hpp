// element_records.hpp - the element set in the deck's records 3 to 5: read,
// placed and listed.
#pragma once

#include "format/deck.hpp"
#include "format/errors.hpp"
#include "format/format.hpp"
#include "orbit/element_set.hpp"

namespace talik {

// The format of the three element records, "(7I5/6F10.0/5F10.0)".
const Format& element_set_format();

// Reads the three element records with element_set_format().
ElementSet read_element_set(Deck& deck);

// Where each field of an element set whose epoch record is epoch_record
// stands in the deck: "DECK: record 4, columns 11-20".
FieldPlace deck_element_places(const Deck& deck, int epoch_record);

// The listing of the set as read: the epoch and revolution number, the
// elements, the rates.
void list_element_set(Unit& unit, const ElementSet& set);

}  // namespace talik
