// single.hpp - Single and Vec3, the stored reals of the computation.
//
// Every stored real of the computation is a 32-bit float; every formula is
// evaluated in double and rounded to float where its result is stored.  The
// type Single makes that the only thing that can happen: it stores a float,
// converts implicitly to double (so any arithmetic on it is done in double)
// and rounds to float when a double is assigned to it.  Plain `float` should
// not appear in computing code.
#pragma once

#include <array>

namespace talik {

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
