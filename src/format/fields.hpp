// fields.hpp - the output field conversions behind write(): each one fills
// exactly w bytes at `out` (w from 1 to 1000).
#pragma once

#include <cstdint>

namespace talik::fields {

// Iw: right-justified, '-' before the first digit, w asterisks when too wide.
void put_integer(char* out, int w, std::int64_t value);

// Fw.d of a value that carries `digits` significant digits (7 for a single,
// 16 for a double); `value` is the exact stored value.
void put_fixed(char* out, int w, int d, double value, int digits);

// Ew.d (d >= 1), with the same rounding rules as put_fixed.
void put_exponent(char* out, int w, int d, double value, int digits);

// Rounds |value| (finite, not zero) at the decimal position k: q is
// floor(|value| * 10^k) and the result says whether the part dropped is at
// least one half.  Exact; q must stay below 10^18.
struct Scaled {
    std::uint64_t q;
    bool half_or_more;
};
Scaled scale(double magnitude, int k);

}  // namespace talik::fields
