// sphere.hpp - plain unit-vector geometry for checking the frame rotations.
#pragma once

#include <cmath>

namespace talik::testing_sphere {

constexpr double PI_EXACT = 3.14159265358979323846;
constexpr double DEG_EXACT = PI_EXACT / 180.0;

struct V {
    double x, y, z;
};
inline V unit(double lon, double lat) {
    return {std::cos(lat * DEG_EXACT) * std::cos(lon * DEG_EXACT),
            std::cos(lat * DEG_EXACT) * std::sin(lon * DEG_EXACT), std::sin(lat * DEG_EXACT)};
}
inline double dot(V a, V b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline V cross(V a, V b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline V scale(V a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline V add(V a, V b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline V norm(V a) { return scale(a, 1.0 / std::sqrt(dot(a, a))); }
inline double lat_of(V v) { return std::asin(std::fmax(-1.0, std::fmin(1.0, v.z))) / DEG_EXACT; }
inline double lon_of(V v) { return std::atan2(v.y, v.x) / DEG_EXACT; }

// Difference of two angles in degrees, folded into (-180, 180].
inline double ang_diff(double a, double b) {
    double d = std::fmod(a - b, 360.0);
    if (d > 180.0) d -= 360.0;
    if (d <= -180.0) d += 360.0;
    return d;
}

}  // namespace talik::testing_sphere
