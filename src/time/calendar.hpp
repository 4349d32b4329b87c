// calendar.hpp - month lengths and stepping a DATIM.
//
// MONLEN is the month-length table of the year being stepped; MONTAB loads it
// and ADDTIM keeps its February entry in step with every change of year.
// The table's leap rule is "year divisible by 4" with no century exception.
#pragma once

#include <array>
#include <cstdint>

#include "time/datim.hpp"

namespace talik {

struct MONLEN {
    std::array<std::int16_t, 12> days{};  // index month - 1
    std::int16_t operator()(int month) const { return days[static_cast<std::size_t>(month - 1)]; }
};

// Loads the month lengths of dt's year (only dt[YEAR] is read).
void MONTAB(const DATIM& dt, MONLEN& monlen);

// Advances dt in place by minstp minutes and secstp seconds (secstp from -59
// to 59, of the sign of minstp), with every calendar carry.
void ADDTIM(DATIM& dt, std::int16_t minstp, std::int16_t secstp, MONLEN& monlen);

}  // namespace talik
