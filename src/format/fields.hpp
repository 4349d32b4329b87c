// fields.hpp - the output field conversions behind write(): each one fills
// exactly w bytes at `out`.
#pragma once

#include <cstdint>

namespace talik::fields {

// Iw.
void put_integer(char* out, int w, std::int64_t value);

// Fw.d of a value that carries `digits` significant digits.
void put_fixed(char* out, int w, int d, double value, int digits);

// Ew.d, rounded as put_fixed rounds.
void put_exponent(char* out, int w, int d, double value, int digits);

// A magnitude rounded at a decimal position k.
struct Scaled {
    std::uint64_t q;    // floor(magnitude * 10^k)
    bool half_or_more;  // the part dropped is at least one half
};
Scaled scale(double magnitude, int k);

}  // namespace talik::fields
