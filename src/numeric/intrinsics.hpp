// intrinsics.hpp - truncating MOD, IMOD, INT and SIGN, and nonneg.
#pragma once

#include <cmath>
#include <cstdint>

namespace talik {

// Real remainder of a truncating division, with the sign of a: std::fmod
// bit for bit, quicker for this program's quotients.
inline double MOD(double a, double b) {
    // The remainder of a division is always representable, so one fused
    // multiply-add gives it exactly once the truncated quotient is known; a
    // quotient rounded up past an integer shows as a remainder of the wrong
    // sign, put right by one exact addition.  Huge quotients and extreme
    // divisors go to fmod.
    const double magnitude = std::fabs(b);
    if (!(std::fabs(a) < 0x1p52 * magnitude) || !std::isfinite(magnitude) || magnitude < 0x1p-960) {
        return std::fmod(a, b);
    }
    const double q = std::trunc(a / b);
    double r = std::fma(-q, b, a);
    if (r != 0.0 && std::signbit(r) != std::signbit(a)) {
        r += std::signbit(a) ? -magnitude : magnitude;
    }
    return r == 0.0 ? std::copysign(0.0, a) : r;
}

// Integer remainder of a truncating division (C++ semantics already match).
template <typename I>
constexpr I IMOD(I a, I b) {
    return static_cast<I>(a % b);
}

// Truncation toward zero, to a 32-bit integer.
inline std::int32_t INT(double x) { return static_cast<std::int32_t>(std::trunc(x)); }

// A square root's argument that rounding left a hair below zero, as zero
// (and a NaN as zero, as fmax would give).
inline double nonneg(double x) { return x > 0.0 ? x : 0.0; }

// The magnitude of a with the sign of b; b == 0 counts as positive.
inline double SIGN(double a, double b) { return b >= 0.0 ? std::fabs(a) : -std::fabs(a); }

}  // namespace talik
