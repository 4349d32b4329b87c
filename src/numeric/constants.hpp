// constants.hpp - every physical constant and unit conversion of the model,
// each named once with its unit.
//
// Each value is held the way the computation uses it: a Single is the
// nearest float to the decimal shown (that float, not the decimal, enters
// the formulas), a double is exact or double-rounded.  Where the model uses
// two values of one quantity on purpose, each has a name saying where it
// belongs; they are not interchangeable.
#pragma once

#include <cstdint>

#include "numeric/single.hpp"

namespace talik {

// --- Angles -----------------------------------------------------------------

// Pi, one turn and a quarter turn, radians, as the orbit, the Sun table, the
// look angles and the polar conversion use them.
inline constexpr Single PI = 3.1415927;
inline constexpr Single TWOPI = 6.2831855;
inline constexpr Single PIH = 1.5707964;
// The shadow test's own pi, radians: one unit in the last place below PI.
inline constexpr Single PI_SHADOW = 3.1415925;
// Radians per degree (degrees to radians by multiplying, back by dividing).
inline constexpr Single DEGRAD = 0.017453292;
// Radians per degree of the spherical frame rotation, seven digits only; its
// kept frame works in double.
inline constexpr double DEGRAD_FRAME = 0.01745329;
// Radians per degree to double precision, for the companion tools' own
// geometry in double (never the model's).
inline constexpr double DEGRAD_DOUBLE = 0.017453292519943295;
inline constexpr double DEGREES_PER_TURN = 360.0;

// --- Time -------------------------------------------------------------------

inline constexpr double SECONDS_PER_MINUTE = 60.0;
inline constexpr double MINUTES_PER_HOUR = 60.0;
inline constexpr double SECONDS_PER_HOUR = 3600.0;
inline constexpr double HOURS_PER_DAY = 24.0;
inline constexpr double MINUTES_PER_DAY = 1440.0;
inline constexpr double SECONDS_PER_DAY = 86400.0;
inline constexpr std::int64_t SECONDS_PER_DAY_WHOLE = 86400;
inline constexpr std::int64_t SECONDS_PER_HOUR_WHOLE = 3600;
inline constexpr std::int64_t SECONDS_PER_MINUTE_WHOLE = 60;
inline constexpr double DAYS_PER_JULIAN_CENTURY = 36525.0;
// Julian date of 1900 January 0.5 (noon of 31 December 1899), days: the
// origin of the sidereal time's and the Sun theory's centuries.
inline constexpr double JD_1900_JAN_0_5 = 2415020.0;

// --- The Earth ----------------------------------------------------------------

// Equatorial radius of the reference ellipsoid, km: the ellipsoid height,
// the stations' sphere (range and elevation), the semi-latus rectum in Earth
// radii and the perigee and apogee heights.
inline constexpr Single EARTH_RADIUS = 6378.16;
// The Earth radius that XKE is expressed in, km: the mean-motion rate, and
// the radius of the shadow cylinder.
inline constexpr Single EARTH_RADIUS_XKE = 6378.142;
// Square of the ellipsoid's eccentricity (flattening 1/298.3), with 1 - e2
// and 1 / (1 - e2) held as their own rounded values.
inline constexpr Single ELLIPSOID_E2 = 0.0066934214;
inline constexpr Single ELLIPSOID_1_MINUS_E2 = 0.9933066;
inline constexpr Single ELLIPSOID_1_OVER_1_MINUS_E2 = 1.0067385;

// The WGS-84 ellipsoid, where the companion tools place a site on it:
// equatorial radius (km) and flattening.
inline constexpr double WGS84_A = 6378.137;
inline constexpr double WGS84_F = 1.0 / 298.257223563;

// Gravitational parameter, km^3/s^2.
inline constexpr Single GM = 398599.0;
// Zonal harmonics of the geopotential.
inline constexpr Single J2 = 0.001082628;
inline constexpr Single J4 = -2.12E-6;
// Mean motion at one Earth radius (EARTH_RADIUS_XKE), rad/min: the same
// gravitational parameter in Earth radii and minutes.
inline constexpr Single XKE = 0.0743666;

// --- The stations --------------------------------------------------------------

// Cosine of the zenith angle at an elevation of about 5 degrees: below it the
// high visibility mark is used.
inline constexpr Single CZHIGH = -0.0871557;

}  // namespace talik
