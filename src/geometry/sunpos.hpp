// sunpos.hpp - the Sun's direction off the Sun table.
#pragma once

#include "geometry/suncom.hpp"
#include "numeric/single.hpp"
#include "time/datim.hpp"

namespace talik {

// Sun declination SDEC and right ascension SRA (radians, SRA in [0, 2 pi])
// at the day number JDN (same convention as TABJDN) and the time of day of
// DT (only hour, minute and second are read).
void SUNPOS(double JDN, const DATIM& DT, Single& SDEC, Single& SRA, const SUNCOM& suncom);

}  // namespace talik
