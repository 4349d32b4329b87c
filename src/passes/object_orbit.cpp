// ObjectOrbit::ObjectOrbit, ObjectOrbit::at, ObjectOrbit::latitude,
// ObjectOrbit::sun, ObjectOrbit::lit - the orbit of one object at whole
// seconds, shared by sites.
//
// Given:    object  PassObject  the element set and the scan (constructor);
//                               the run state starts at the scan's start
//                               (prepare_run)
//           t       int64       model seconds (at)
//           dt      DATIM       t's date-time, when the caller has it (at)
//           p       OrbitPoint  a point given by at (latitude, sun, lit)
// Returned: (value) OrbitPoint  ORBIT's position, the sidereal angle and the
//                               sub-satellite longitude (at); the reference
//                               holds until the next call
//           (value) Single      the latitude of the point's foot (ALTLAT),
//                               degrees (latitude)
//           (value) SunPlace    the Sun at the point (sun)
//           (value) int16       SHADOW's LIT: whether the satellite is
//                               sunlit there (lit)
//           p       OrbitPoint  the latitude or the Sun kept, once asked for
// Thrown:   InputError          naming object.source and the time, when the
//                               element set gives a position that is not a
//                               number (at)
//
// Notes:
//  - These are predict_step's own calls in its order, so a site's look from
//    a point equals its look from a step.  The latitude is left to those
//    that need it (ALTLAT is the largest part of a step); until then GLAT
//    holds the declination, whose sign is the latitude's, for the
//    revolution count.
//  - Points are kept (as many as KEPT_BITS allows, each in the place its
//    time hashes to), so that sites asking for the same instant in turn,
//    and a refinement asking again for steps of the scan, share one
//    evaluation.
#include "passes/object_orbit.hpp"

#include <cmath>

#include "format/errors.hpp"
#include "geometry/altlat.hpp"
#include "geometry/shadow.hpp"
#include "numeric/constants.hpp"
#include "numeric/intrinsics.hpp"
#include "time/iso_datim.hpp"
#include "time/model_calendar.hpp"

namespace talik {

ObjectOrbit::ObjectOrbit(const PassObject& object) : object_(object) {
    state_ = prepare_run(object.elements, Station{}, model_datim(object.scan.start), nrev_);
}

namespace {

// The place of time t among 2^bits (Fibonacci hashing).
std::size_t place(std::int64_t t, int bits) {
    constexpr std::uint64_t GOLDEN = 0x9E3779B97F4A7C15ULL;
    return static_cast<std::size_t>((static_cast<std::uint64_t>(t) * GOLDEN) >> (64 - bits));
}

}  // namespace

OrbitPoint& ObjectOrbit::at(std::int64_t t, const DATIM& dt) {
    const std::size_t i = place(t, KEPT_BITS);
    if (used_[i] && kept_[i].t == t) return kept_[i];
    return compute(kept_[i], t, dt);
}

OrbitPoint& ObjectOrbit::at(std::int64_t t) {
    const std::size_t i = place(t, KEPT_BITS);
    if (used_[i] && kept_[i].t == t) return kept_[i];
    return compute(kept_[i], t, model_datim(t));
}

OrbitPoint& ObjectOrbit::compute(OrbitPoint& p, std::int64_t t, const DATIM& dt) {
    const auto i = static_cast<std::size_t>(&p - kept_.data());
    used_[i] = false;
    p.t = t;
    p.dt = dt;
    ORBOUT orbout{};
    ORBIT(dt, p.R, p.DECL, p.RA, p.POS, p.JDN, p.GST, orbout, state_.orbel);
    if (!std::isfinite(p.R * p.DECL * p.RA)) {
        throw InputError(object_.source, "the orbit cannot be computed at " + iso_tenths(t * TENTHS) +
                                             ": the element set gives a position that is not a number");
    }
    p.GLON = MOD(p.RA / DEGRAD - p.GST + 360.0, 360.0);
    p.located = false;
    p.GLAT = p.DECL / DEGRAD;
    p.sun_known = false;
    p.normal_known = false;
    used_[i] = true;
    return p;
}

Single ObjectOrbit::latitude(OrbitPoint& p) const {
    if (!p.located) {
        Single HGT;
        Single PHIF;
        ALTLAT(p.R, p.DECL, HGT, PHIF);
        p.GLAT = PHIF / DEGRAD;
        p.located = true;
    }
    return p.GLAT;
}

const SunPlace& ObjectOrbit::sun(OrbitPoint& p) const {
    if (!p.sun_known) {
        p.sun = sun_place(state_.suncom, p.JDN, p.dt);
        SHADOW(p.POS, p.sun.SDEC, p.sun.SRA, p.LIT);
        p.sun_known = true;
    }
    return p.sun;
}

std::int16_t ObjectOrbit::lit(OrbitPoint& p) const {
    sun(p);
    return p.LIT;
}

}  // namespace talik
