// check_elements.hpp - the element sets and the decays the program can
// follow; each refusal is an InputError at the place of the faulty field.
#pragma once

#include <charconv>
#include <cstdint>
#include <string>

#include "format/errors.hpp"
#include "numeric/single.hpp"
#include "orbit/element_set.hpp"
#include "orbit/orbel.hpp"
#include "time/datim.hpp"

namespace talik {

// Within 100 km of the Earth's centre the height above the ellipsoid has no
// meaning (the ellipsoid's normals cross there) and the propagator's set-up
// overflows; beyond 1000000 km no Earth orbit exists and the element listing
// has no room for the value.  Rates beyond 1000000 a day overflow the node,
// the perigee or the mean motion's rate within a run.
constexpr double PERIGEE_MIN = 100.0;  // km from the Earth's centre
constexpr double SMA_MAX = 1.0e6;      // km, exclusive
constexpr double RATE_MAX = 1.0e6;     // km/day or deg/day
// Whole days allowed between the epoch and the start date (a 16-bit count).
constexpr double EPOCH_DAYS_MAX = 32767.0;
// Days from its epoch beyond which an element set is taken to have aged:
// its predictions degrade.
constexpr double ELEMENTS_AGE_DAYS = 14.0;
// The propagator keeps the time since the epoch in minutes as a single,
// which steps by more than a second from 2^18 minutes (182.04 days) on:
// the days from the epoch within which the model resolves a second.
constexpr double EPOCH_RESOLVED_DAYS = 262144.0 / 1440.0;

// Refuses an element set the propagator cannot follow from the date-time
// start; place maps an ElementField to where it came from.
void check_element_set(const ElementSet& set, const DATIM& start, const FieldPlace& place);

// Refuses a decay that takes the orbit installed in orbel into the Earth's
// centre, or its axis to SMA_MAX, between the run's first and last steps.
void check_decay(const ORBEL& orbel, const DATIM& first, const DATIM& last, const std::string& place);

// The shortest text that reads back as the same single, e.g. "1.5",
// "-7000": how the refusals quote a value.
inline std::string shortest(Single x) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, x.f());
    return std::string(buf, res.ptr);
}

}  // namespace talik
