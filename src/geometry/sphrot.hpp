// sphrot.hpp - rotation of a direction between spherical frames.
//
// A frame is given by the position (PLON, PLAT) of its pole in the old frame
// and by an offset ROT subtracted from every new longitude.  SPHROT keeps the
// last frame it was given in a SphrotFrame owned by the caller, and a call
// whose three frame arguments are all zero rotates with that kept frame.
//
// All angles at the interface are degrees in single precision; the kept
// frame and the working values are double.
#pragma once

#include "numeric/single.hpp"
#include "numeric/constants.hpp"

namespace talik {

// The frame SPHROT keeps between calls.
//
// Before any frame has been set it is the identity: pole at the old north
// pole, offset 0.  An all-zero call made before any other therefore returns
// MOD(LON, 360) brought into (0, 360] and LAT unchanged (to the rounding of
// D2R in the general case).
struct SphrotFrame {
    // Degrees to radians, seven digits only; R2D is its exact inverse so a
    // conversion there and back returns the same degrees.
    static constexpr double D2R = DEGRAD_FRAME;

    double PLON = 0.0;        // pole longitude, degrees
    double PLAT = 90.0;       // pole latitude, degrees
    double ROT = 0.0;         // longitude offset, degrees
    double R2D = 1.0 / D2R;   // degrees per radian
    double PC = 0.0;          // colatitude of the pole, radians
    double SP = 0.0;          // sin PC
    double CP = 1.0;          // cos PC
};

// Rotates the direction (LON, LAT) into the frame with pole (PLON, PLAT) and
// offset ROT, or into the kept frame when PLON = PLAT = ROT = 0.
//   LON   in/out  degrees  longitude; returned in (0, 360]
//   LAT   in/out  degrees  latitude; returned in [-90, 90]
//   PLON, PLAT    degrees  the new pole in the old frame
//   ROT           degrees  subtracted from the new longitude
//   frame in/out           the kept frame
void SPHROT(Single& LON, Single& LAT, Single PLON, Single PLAT, Single ROT, SphrotFrame& frame);

}  // namespace talik
