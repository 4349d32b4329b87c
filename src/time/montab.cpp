// MONTAB - load the month-length table for a year.
//
// Given:    dt      DATIM   date-time; only dt[YEAR] is read
// Returned: monlen  MONLEN  days of months 1 to 12 of that year
//
// Notes:
//  - February has 29 days whenever the year is divisible by 4; there is no
//    century exception, so 2100 counts as a leap year here.  ADDTIM keeps
//    the February entry current when it steps into another year.
#include "time/montab.hpp"

namespace talik {

void MONTAB(const DATIM& dt, MONLEN& monlen) {
    monlen.days = MONTH_DAYS;
    monlen.days[1] = 28;
    if (dt[YEAR] % 4 == 0) monlen.days[1] = 29;
}

}  // namespace talik
