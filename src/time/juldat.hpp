// juldat.hpp - Julian day number and Greenwich mean sidereal angle.
#pragma once

#include "numeric/single.hpp"
#include "time/datim.hpp"

namespace talik {

// The Julian day number jdn of dt's date and the Greenwich mean sidereal
// angle gst at dt (degrees).
void JULDAT(double& jdn, Single& gst, const DATIM& dt);

}  // namespace talik
