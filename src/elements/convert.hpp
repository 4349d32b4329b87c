// convert.hpp - from an element set as catalogues publish it to the element
// set talik follows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "elements/elements.hpp"
#include "format/errors.hpp"
#include "orbit/element_set.hpp"
#include "time/datim.hpp"

namespace talik {

struct Converted {
    ElementSet set;                     // in the deck's units, exactly as its deck reads back
    std::vector<std::string> warnings;  // one line each, naming the set's source
};

// The element set talik follows for m, each real as its deck reads it
// back; throws InputError for a set talik would refuse.
Converted convert_elements(const MeanElements& m);

// Where each field of the converted set came from, for check_element_set:
// "iss.tle, line 1, epoch".
FieldPlace element_places(const MeanElements& m);

}  // namespace talik
