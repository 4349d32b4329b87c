// shadow.hpp - sunlight or the Earth's shadow.
#pragma once

#include <cstdint>

#include "numeric/single.hpp"

namespace talik {

// Decides whether the point POS (geocentric equatorial x, y, z, km) is lit by
// the Sun at declination SDEC and right ascension SRA (radians): LIT = 1 in
// sunlight, 0 in the shadow, a cylinder of radius EARTH_RADIUS_XKE behind the
// Earth along the Sun's direction.
void SHADOW(const Vec3& POS, Single SDEC, Single SRA, std::int16_t& LIT);

}  // namespace talik
