// sun.hpp - the Sun table of a run and reading the Sun's direction off it.
//
// SUNTAB fills SUNCOM once per run from a Newcomb-type solar theory at 46
// dates 10 days apart, the first 40 days before 1 January of the run's year;
// SUNPOS interpolates it at every step with the four-point cubic CUBINT.
#pragma once

#include <array>
#include <cstdint>

#include "format/console.hpp"
#include "numeric/single.hpp"
#include "time/datim.hpp"

namespace talik {

// The Sun table.  Entry I (1-based; index I - 1 here) belongs to day number
// TABJDN - 40 + 10 (I - 1); entries 1 to 46 are filled, 47 to 50 never.
struct SUNCOM {
    DATIM TABDT{};                   // origin: (year, 1, 1, 0, 0, 0)
    std::array<Single, 50> SUNDEC{}; // declination, radians
    std::array<Single, 50> SUNRA{};  // right ascension, radians, rising past 2 pi without a wrap
    double TABJDN = 0.0;             // noon-based Julian day number of the origin
};

// Whole days K = JDN - TABJDN, counted from 1 January of the table year, that
// SUNPOS interpolates properly: the four entries around the date must all be
// in the table.  The run must keep every step inside this window; outside it
// SUNPOS still reads only filled entries (see sunpos.cpp).
constexpr int SUN_FIRST_DAY = -39;
constexpr int SUN_LAST_DAY = 399;

// Fills suncom for the table year IYEAR (a DATIM year).  console receives the
// message of a Kepler solution that does not converge.
void SUNTAB(std::int16_t IYEAR, SUNCOM& suncom, Console& console);

// Sun declination SDEC and right ascension SRA (radians, SRA in [0, 2 pi])
// at the day number JDN (same convention as TABJDN) and the time of day of
// DT (only hour, minute and second are read).
void SUNPOS(double JDN, const DATIM& DT, Single& SDEC, Single& SRA, const SUNCOM& suncom);

// Four-point cubic through TAB(N - 1) .. TAB(N + 2) (N 1-based, nodes at
// P = -3, -1, +1, +3), evaluated at P: -1 gives TAB(N), +1 gives TAB(N + 1).
Single CUBINT(const std::array<Single, 50>& TAB, Single P, std::int16_t N);

}  // namespace talik
