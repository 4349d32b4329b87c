// SPHROT - rotate a direction into another spherical frame.
//
// Given:    LON, LAT    Single       the direction in the old frame, degrees
//           PLON, PLAT  Single       pole of the new frame in the old one,
//                                    degrees
//           ROT         Single       offset subtracted from every new
//                                    longitude, degrees
//           frame       SphrotFrame  the frame kept from the last call
// Returned: LON         Single       new longitude, degrees, in (0, 360]
//           LAT         Single       new latitude, degrees, in [-90, 90]
//           frame       SphrotFrame  the frame (PLON, PLAT, ROT), unless all
//                                    three are 0
//
// Notes:
//  - PLON = PLAT = ROT = 0 sets no frame: the kept one is used.  Before any
//    frame has been set the kept one is the identity, so such a call
//    returns MOD(LON, 360) brought into (0, 360] and LAT unchanged (to the
//    rounding of D2R in the general case).
//  - The angles at the interface are singles; the kept frame and the working
//    values are double.
//  - Before the offset, longitude 0 is the half great circle leaving the pole
//    along its own meridian away from the old north pole; longitudes grow
//    counter-clockwise about the pole seen from outside the sphere.
//  - Points on the pole's meridian or the opposite one are handled by arcs
//    along the meridian; the general case agrees with it off the meridian.
#include <cmath>
#include <cstdint>

#include "geometry/sphrot.hpp"
#include "numeric/intrinsics.hpp"

namespace talik {

void SPHROT(Single& LON, Single& LAT, Single PLON, Single PLAT, Single ROT, SphrotFrame& frame) {
    constexpr double D2R = SphrotFrame::D2R;

    if (PLON * PLON + PLAT * PLAT + ROT * ROT != 0.0) {
        frame.PLON = PLON;
        frame.PLAT = PLAT;
        frame.ROT = ROT;
        frame.R2D = 1.0 / D2R;
        frame.PC = (90.0 - PLAT) * D2R;
        frame.SP = std::sin(frame.PC);
        frame.CP = std::cos(frame.PC);
    }

    // Whole half-turns between the point and the pole's meridian.
    const double d = LON - frame.PLON;
    const double q = std::trunc(d / 180.0 + 0.5);
    // mended: a count beyond 16 bits cannot be stored; such points take the general case, valid everywhere.
    const bool in_range = std::fabs(q) <= 32766.0;
    auto k = static_cast<std::int16_t>(in_range ? q : 0.0);
    if (in_range && d < 0.0) k = static_cast<std::int16_t>(k - 1);

    double newlon = 0.0;
    double newlat = 0.0;
    if (in_range && std::fabs(180.0 * k - d) < 1.0e-6) {
        // On the pole's meridian or the opposite one: measure along it.
        double pl = LAT;
        if (k % 2 != 0) pl = -180.0 - pl;  // over the old north pole
        double arc = MOD(frame.PLAT - pl, 360.0);
        if (arc < 0.0) arc += 360.0;
        double base = 0.0;
        if (arc > 180.0) {
            base = 180.0;
            arc = 360.0 - arc;
        }
        newlat = 90.0 - arc;
        newlon = base - frame.ROT;
    } else {
        const double dl = (LON - frame.PLON) * D2R;
        const double la = LAT * D2R;
        const double x = std::cos(dl) * std::cos(la);
        const double y = std::sin(dl) * std::cos(la);
        const double z = std::sin(la);
        const double s = x * frame.SP + frame.CP * z;
        const double h = x * frame.CP - frame.SP * z;
        // mended: next to the new pole rounding can make 1 - s*s negative; the cosine is then 0, not NaN.
        const double c = std::sqrt(nonneg(1.0 - s * s));
        const double phi = s == 0.0 ? 0.0 : 2.0 * std::atan((1.0 - c) / s);
        const double w = c + h;
        if (std::fabs(w) <= 1.0e-6) {
            newlon = 180.0 - frame.ROT;
        } else {
            newlon = 2.0 * std::atan(y / w) * frame.R2D - frame.ROT;
        }
        newlat = phi * frame.R2D;
    }

    newlon = MOD(newlon, 360.0);
    if (newlon <= 0.0) newlon += 360.0;
    LON = newlon;
    LAT = newlat;
}

}  // namespace talik
