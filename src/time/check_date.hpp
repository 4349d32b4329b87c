// check_date.hpp - the date-times the program supports.
#pragma once

#include "format/errors.hpp"
#include "time/datim.hpp"

namespace talik {

// Refuses a date-time outside the supported range (years 1901 to 9999, the
// days of MONTAB's months), naming the place of its first bad field.
void check_date(const DATIM& dt, const FieldPlace& place);

// The same on the real calendar, where a century year not divisible by 400
// has no 29 February: for date-times given from outside the model.
void check_real_date(const DATIM& dt, const FieldPlace& place);

}  // namespace talik
