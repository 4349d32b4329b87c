// addtim.hpp - stepping a DATIM with every calendar carry.
#pragma once

#include <cstdint>

#include "time/datim.hpp"
#include "time/montab.hpp"

namespace talik {

// Advances dt in place by minstp minutes and secstp seconds; monlen holds
// the month lengths of dt's year and follows a change of year.
void ADDTIM(DATIM& dt, std::int16_t minstp, std::int16_t secstp, MONLEN& monlen);

// The date-time a run reaches after steps steps of step_seconds from dt.
DATIM after_steps(const DATIM& dt, std::int32_t steps, std::int16_t step_seconds);

}  // namespace talik
