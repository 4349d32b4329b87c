// check_date - refuse a date-time outside the supported range.
//
// Given:    dt      DATIM       date-time to check
//           place   FieldPlace  where each field came from (YEAR .. SECOND)
// Thrown:   InputError          at place(field) for the first bad field, e.g.
//                               "month 13 is outside 1 to 12", "day 30 is
//                               outside 1 to 29"
//
// Notes:
//  - Years run from 1901 to 9999: JULDAT counts leap days with truncating
//    divisions that are only right from 1901 on, and 9999 is the last year
//    a four-digit listing can show.
//  - The day's upper limit is the month's length as MONTAB loads it, by its
//    divisible-by-4 rule, so 2100-02-29 is accepted.
#include "time/check_date.hpp"

#include <string>

#include "time/gregorian.hpp"
#include "time/montab.hpp"

namespace talik {

namespace {

std::string outside(const char* name, int value, int low, int high) {
    return std::string(name) + " " + std::to_string(value) + " is outside " + std::to_string(low) + " to " +
           std::to_string(high);
}

}  // namespace

void check_date(const DATIM& dt, const FieldPlace& place) {
    struct Range {
        const char* name;
        int low;
        int high;
    };
    MONLEN monlen;
    Range ranges[6] = {{"year", 1901, 9999}, {"month", 1, 12},  {"day", 1, 31},
                       {"hour", 0, 23},      {"minute", 0, 59}, {"second", 0, 59}};
    for (int i = YEAR; i <= SECOND; ++i) {
        if (i == DAY) {
            MONTAB(dt, monlen);
            ranges[DAY].high = monlen(dt[MONTH]);
        }
        const Range& r = ranges[i];
        if (dt[static_cast<std::size_t>(i)] < r.low || dt[static_cast<std::size_t>(i)] > r.high) {
            throw InputError(place(i), outside(r.name, dt[static_cast<std::size_t>(i)], r.low, r.high));
        }
    }
}

void check_real_date(const DATIM& dt, const FieldPlace& place) {
    check_date(dt, place);
    const int length = month_length(dt[YEAR], dt[MONTH]);
    if (dt[DAY] > length) throw InputError(place(DAY), outside("day", dt[DAY], 1, length));
}

}  // namespace talik
