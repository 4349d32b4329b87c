// montab.hpp - MONLEN, the month lengths of the year being stepped, and
// MONTAB, which loads them.
#pragma once

#include <array>
#include <cstdint>

#include "time/datim.hpp"

namespace talik {

// The month lengths of a common year, January to December.
inline constexpr std::array<std::int16_t, 12> MONTH_DAYS = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

struct MONLEN {
    std::array<std::int16_t, 12> days{};  // index month - 1
    std::int16_t operator()(int month) const { return days[static_cast<std::size_t>(month - 1)]; }
};

// Loads the month lengths of dt's year.
void MONTAB(const DATIM& dt, MONLEN& monlen);

}  // namespace talik
