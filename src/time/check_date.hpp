// check_date.hpp - the date-times the program supports.
#pragma once

#include "format/errors.hpp"
#include "time/datim.hpp"

namespace talik {

// Refuses a date-time outside the supported range: throws InputError at
// place(field) for its first bad field (YEAR .. SECOND), e.g. "month 13 is
// outside 1 to 12", "day 30 is outside 1 to 29".
//
// Years run from 1901 to 9999: JULDAT's day count is right only from 1901
// on.  The day must lie within the month's length by the month table's own
// divisible-by-4 rule (MONTAB), so 2100-02-29 is accepted.
void check_date(const DATIM& dt, const FieldPlace& place);

// The same on the real calendar, where a century year not divisible by 400
// has no 29 February: for date-times given from outside the model.
void check_real_date(const DATIM& dt, const FieldPlace& place);

}  // namespace talik
