// orbel.hpp - ORBEL, the element record of the run.
//
// Filled by ELMINP in the units the propagator works in, completed and kept
// up to date by ORBIT.
#pragma once

#include <cstdint>

#include "numeric/single.hpp"
#include "time/datim.hpp"

namespace talik {

struct ORBEL {
    DATIM EPOCH{};          // epoch, UT
    Single SMA;             // semi-major axis, km
    Single ECC;             // eccentricity
    Single INCL;            // inclination, rad
    Single ARGP;            // argument of perigee, rad
    Single RAAN;            // right ascension of the ascending node, rad
    Single MANOM;           // mean anomaly at epoch, rad
    Single RAANDT;          // node rate, rad/day (0: derived by ORBIT's set-up)
    Single ARGPDT;          // perigee rate, rad/day (0: derived by ORBIT's set-up)
    Single MMOT;            // perturbed mean motion, rad/min
    Single SMADT;           // rate of SMA, km/day
    Single MMOTDT;          // rate of MMOT, rad/min per day
    double EPOCHJ = 0.0;    // Julian day number of the epoch date
    std::int16_t ORBSET = 0;  // 0 until ORBIT has done its one-time set-up
    Single CINCL;           // cos INCL, kept by ORBIT's set-up
    Single SINCL;           // sin INCL, kept by ORBIT's set-up
};

}  // namespace talik
