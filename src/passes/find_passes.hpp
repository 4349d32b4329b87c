// find_passes.hpp - the passes of one object over one site.
#pragma once

#include <vector>

#include "passes/pass.hpp"

namespace talik {

// The passes of object over site within its scan, in time order.  The
// object must have been checked for its scan (check_element_set,
// check_decay, check_run_line).  Throws InputError naming object.source
// should a position not be a number.
std::vector<Pass> find_passes(const PassObject& object, const Site& site);

}  // namespace talik
