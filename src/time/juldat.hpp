// juldat.hpp - Julian day number and Greenwich mean sidereal angle.
#pragma once

#include "numeric/single.hpp"
#include "time/datim.hpp"

namespace talik {

// Given dt (UT), returns jdn, the integral Julian day number of the date's
// noon (1901-01-01 gives 2415386.0), and gst, the Greenwich mean sidereal
// angle at dt in degrees, [0, 360) for dates from 1900 on.
void JULDAT(double& jdn, Single& gst, const DATIM& dt);

}  // namespace talik
