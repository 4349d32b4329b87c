// datecheck.hpp - the range of date-times the program supports.
#pragma once

#include <string>

#include "time/datim.hpp"

namespace talik {

// Returns "" when dt is a supported date-time, else a description of its
// first bad field ("month 13 is outside 1 to 12", "day 30 is outside 1 to
// 29") and the field's index (YEAR .. SECOND) in field.
//
// Years run from 1901 to 9999: JULDAT's day count is right only from 1901
// on.  The day must lie within the month's length by the month table's own
// divisible-by-4 rule (MONTAB), so 2100-02-29 is accepted.
std::string date_problem(const DATIM& dt, int& field);

}  // namespace talik
