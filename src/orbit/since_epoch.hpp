// since_epoch.hpp - time since the element epoch and the semi-major axis
// then, as the propagator counts them.
#pragma once

#include "numeric/single.hpp"
#include "orbit/orbel.hpp"
#include "time/datim.hpp"

namespace talik {

// Seconds from the epoch of orbel to DT (UT), whose date has the Julian day
// number JDN.
Single seconds_since_epoch(const ORBEL& orbel, double JDN, const DATIM& DT);

// The semi-major axis TD days after the epoch, km.
Single semi_major_axis_at(const ORBEL& orbel, Single TD);

}  // namespace talik
