// orbel.hpp - ORBEL, the element record of the run.
//
// Installed from an element set in the units the propagator works in,
// completed by the propagator's set-up and kept up to date by ORBIT.
#pragma once

#include <cstdint>

#include "numeric/single.hpp"
#include "time/datim.hpp"

namespace talik {

struct ORBEL {
    DATIM EPOCH{};            // epoch, UT
    Single SMA;               // semi-major axis, km
    Single ECC;               // eccentricity
    Single INCL;              // inclination, rad
    Single ARGP;              // argument of perigee, rad
    Single RAAN;              // right ascension of the ascending node, rad
    Single MANOM;             // mean anomaly at epoch, rad
    Single RAANDT;            // node rate, rad/day (0: derived by the set-up)
    Single ARGPDT;            // perigee rate, rad/day (0: derived by the set-up)
    Single MMOT;              // perturbed mean motion, rad/min (written by the set-up)
    Single SMADT;             // rate of SMA, km/day
    Single MMOTDT;            // rate of MMOT, rad/min per day
    double EPOCHJ = 0.0;      // Julian day number of the epoch date
    std::int16_t ORBSET = 0;  // 0 until the propagator's one-time set-up is done
    Single CINCL;             // cos INCL, kept by the set-up
    Single SINCL;             // sin INCL, kept by the set-up
};

}  // namespace talik
