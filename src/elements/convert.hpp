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

// The element set talik follows for m:
//  - epoch: the whole second nearest m's epoch; the mean anomaly, the node
//    and the perigee advanced (or set back) by the remainder at the model's
//    own rates;
//  - semi-major axis: the value for which the propagator's own perturbed
//    mean motion (its set-up, in its precision) equals m's mean motion to the
//    digits the report prints;
//  - decay: the semi-major-axis rate for which the propagator's mean-motion
//    rate equals m's first derivative of mean motion (twice the field);
//  - node and perigee rates 0, for the propagator to derive; the
//    revolution number at the epoch; the mean motion in rev/day.
// Every real is one that reads back from its ten deck columns unchanged.
// Throws InputError, naming m's source and the field, for a set talik would
// refuse with the start at the epoch.
Converted convert_elements(const MeanElements& m);

// Where each field of the converted set came from, for check_element_set:
// "iss.tle, line 1, epoch".
FieldPlace element_places(const MeanElements& m);

}  // namespace talik
