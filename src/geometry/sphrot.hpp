// sphrot.hpp - rotation of a direction between spherical frames, each given
// by the position (PLON, PLAT) of its pole in the old frame and an offset
// ROT subtracted from every new longitude.
#pragma once

#include "numeric/single.hpp"
#include "numeric/constants.hpp"

namespace talik {

// The frame SPHROT keeps between calls, owned by the caller; at first the
// identity (pole at the old north pole, offset 0).
struct SphrotFrame {
    // Degrees to radians, seven digits only; R2D is its exact inverse so a
    // conversion there and back returns the same degrees.
    static constexpr double D2R = DEGRAD_FRAME;

    double PLON = 0.0;       // pole longitude, degrees
    double PLAT = 90.0;      // pole latitude, degrees
    double ROT = 0.0;        // longitude offset, degrees
    double R2D = 1.0 / D2R;  // degrees per radian
    double PC = 0.0;         // colatitude of the pole, radians
    double SP = 0.0;         // sin PC
    double CP = 1.0;         // cos PC
};

// Rotates the direction (LON, LAT) into the frame with pole (PLON, PLAT) and
// offset ROT, or into the kept frame when PLON = PLAT = ROT = 0.
void SPHROT(Single& LON, Single& LAT, Single PLON, Single PLAT, Single ROT, SphrotFrame& frame);

}  // namespace talik
