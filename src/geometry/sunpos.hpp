// sunpos.hpp - the Sun's direction off the Sun table.
#pragma once

#include "geometry/suncom.hpp"
#include "numeric/single.hpp"
#include "time/datim.hpp"

namespace talik {

// The Sun's declination SDEC and right ascension SRA at the day number JDN
// and the time of day of DT.
void SUNPOS(double JDN, const DATIM& DT, Single& SDEC, Single& SRA, const SUNCOM& suncom);

}  // namespace talik
