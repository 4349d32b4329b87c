// find_passes.hpp - the passes of one object over its sites.
#pragma once

#include <cstdint>
#include <vector>

#include "passes/pass.hpp"

namespace talik {

// How the steps of a scan are gone through.
enum class Scanning : std::uint8_t {
    Screened,    // jumps over steps the screen proves clear, where it is proven (element sets)
    Exhaustive,  // every step: the reference
};

// The passes of object over each of its sites within its scan, in time
// order, one list per site; the object checked for its scan beforehand.
std::vector<std::vector<Pass>> find_object_passes(const PassObject& object, Scanning how = Scanning::Screened);

// The passes of object over site alone.
std::vector<Pass> find_passes(const PassObject& object, const Site& site, Scanning how = Scanning::Screened);

}  // namespace talik
