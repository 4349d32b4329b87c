// shadow.hpp - sunlight or the Earth's shadow.
#pragma once

#include <cstdint>

#include "numeric/single.hpp"

namespace talik {

// Whether the point POS is lit by the Sun at (SDEC, SRA): LIT = 1 in
// sunlight, 0 in the Earth's shadow.
void SHADOW(const Vec3& POS, Single SDEC, Single SRA, std::int16_t& LIT);

}  // namespace talik
