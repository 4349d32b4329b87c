// datecheck.hpp - the date-times and the orbits the program supports.
#pragma once

#include <charconv>
#include <cstdint>
#include <string>

#include "time/datim.hpp"
#include "time/orbel.hpp"

namespace talik {

// Returns "" when dt is a supported date-time, else a description of its
// first bad field ("month 13 is outside 1 to 12", "day 30 is outside 1 to
// 29") and the field's index (YEAR .. SECOND) in field.
//
// Years run from 1901 to 9999: JULDAT's day count is right only from 1901
// on.  The day must lie within the month's length by the month table's own
// divisible-by-4 rule (MONTAB), so 2100-02-29 is accepted.
std::string date_problem(const DATIM& dt, int& field);

// The orbits the program can follow.  Within 100 km of the Earth's centre
// the height above the ellipsoid has no meaning (the ellipsoid's normals
// cross there) and the propagator's set-up overflows; beyond 1000000 km no
// Earth orbit exists and the element listing has no room for the value.
constexpr double PERIGEE_MIN = 100.0;   // km from the Earth's centre
constexpr double SMA_MAX = 1.0e6;       // km, exclusive

// Returns "" when the semi-major axis, changing at SMADT from the epoch,
// keeps the perigee at least PERIGEE_MIN from the Earth's centre and the
// axis below SMA_MAX at the start dt and at span_seconds after it (the
// run's last step; either sign).  Else e.g. "rate of the semi-major axis
// -4540 km/day brings the perigee to 71.1 km from the Earth's centre by the
// last step; it must stay at least 100 km from it".  orbel is the record as
// ELMINP installed it (EPOCH, EPOCHJ, SMA, ECC, SMADT).
std::string decay_problem(const ORBEL& orbel, const DATIM& dt, std::int64_t span_seconds);

// The shortest text that reads back as the same single, e.g. "1.5",
// "-7000": how the refusals quote a value.
inline std::string shortest(Single x) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, x.f());
    return std::string(buf, res.ptr);
}

}  // namespace talik
