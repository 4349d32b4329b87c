// single.hpp - Single and Vec3, the stored reals of the computation.
#pragma once

#include <array>

namespace talik {

// A stored real: it holds a float, converts implicitly to double (so any
// arithmetic on it is done in double) and rounds to float when a double is
// assigned to it.  Plain `float` does not appear in computing code.
class Single {
public:
    constexpr Single() = default;
    // Rounds to the nearest float: this is the "store" of a formula's result.
    constexpr Single(double value) : value_(static_cast<float>(value)) {}  // NOLINT(google-explicit-constructor)
    constexpr operator double() const { return value_; }                   // NOLINT(google-explicit-constructor)
    constexpr float f() const { return value_; }

private:
    float value_ = 0.0F;
};

// A vector of three stored singles (x, y, z).
using Vec3 = std::array<Single, 3>;

}  // namespace talik
