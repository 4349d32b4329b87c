// look_angles.hpp - what a station sees of the satellite.
#pragma once

#include <string_view>

#include "numeric/single.hpp"
#include "predict/station.hpp"

namespace talik {

// What the station sees at one step.  The defaults are the values that mean
// "not above the horizon, or not examined".
struct Look {
    // Cosine of the angle at the station between the Earth's centre and the
    // satellite: minus the sine of the elevation, also below the horizon
    // (2 when not examined, or when a step skipped the look, may_see).
    Single CZ = 2.0;
    bool above_horizon = false;     // at or above: CZ not positive
    std::string_view MARK2 = "  ";  // blank, MRKLO or MRKHI
    Single RANGE = 9999.0;          // km
    Single ELEV = -10.0;            // degrees
    Single AZIM = -999.99;          // degrees from north through east, 0 to 360
};

// Whether the station's pre-filter lets a step with the sub-satellite point
// at (GLAT, GLON) through to the look-angle work.
bool examined(const Station& st, Single GLAT, Single GLON);

// How far inside the station's pre-filter that sub-satellite point lies,
// degrees; examined() exactly when it is 0 or more.
double filter_margin(const Station& st, Single GLAT, Single GLON);

// The bound of a pre-filter, degrees.
double filter_bound(StationFilter filter);

// Whether the satellite at POS (km, distance R) over east longitude GLON
// (degrees) may be at or above the station's horizon: false only when
// look_angles would surely find it below.
bool may_see(const Station& station, const Vec3& POS, Single R, Single GLON);

// Slant range, visibility mark, elevation and azimuth of the satellite, seen
// from the station.
Look look_angles(const Station& st, Single R, Single DECL, Single GLONR);

}  // namespace talik
