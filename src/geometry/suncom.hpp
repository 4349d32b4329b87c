// suncom.hpp - SUNCOM, the Sun table of a run, and the window of days it
// serves.
//
// SUNTAB fills it once per run from a Newcomb-type solar theory at 46 dates
// 10 days apart, the first 40 days before 1 January of the run's year;
// SUNPOS interpolates it at every step with the four-point cubic CUBINT.
#pragma once

#include <array>
#include <cstdint>

#include "numeric/single.hpp"
#include "time/datim.hpp"

namespace talik {

// The Sun table.  Entry I (1-based; index I - 1 here) belongs to day number
// TABJDN - 40 + 10 (I - 1); entries 1 to 46 are filled, 47 to 50 never.
struct SUNCOM {
    DATIM TABDT{};                    // origin: (year, 1, 1, 0, 0, 0)
    std::array<Single, 50> SUNDEC{};  // declination, radians
    std::array<Single, 50> SUNRA{};   // right ascension, radians, rising past 2 pi without a wrap
    double TABJDN = 0.0;              // noon-based Julian day number of the origin
};

// Whole days K = JDN - TABJDN, counted from 1 January of the table year, that
// SUNPOS interpolates properly: the four entries around the date must all be
// in the table.  The run must keep every step inside this window; outside it
// SUNPOS still reads only filled entries (see sunpos.cpp).
constexpr int SUN_FIRST_DAY = -39;
constexpr int SUN_LAST_DAY = 399;

}  // namespace talik
