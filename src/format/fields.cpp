// put_integer, put_fixed, put_exponent, scale - the output conversions of
// the I, F and E descriptors.
//
// Given:    out        char*    where the field goes
//           w, d       int      the field's width (1 to 1000) and decimals
//                               (d >= 1 for put_exponent)
//           value      int64    the integer (put_integer), or
//                      double   the exact value of a stored single or double
//           digits     int      significant digits the value carries: 7 for a
//                               single, 16 for a double
//           magnitude  double   |value|, finite and not zero (scale)
//           k          int      the decimal position to round at (scale)
// Returned: exactly w bytes at out
//           (value)    Scaled   q = floor(magnitude * 10^k) and whether the
//                               part dropped is at least one half (scale);
//                               exact, for q below 10^18
//
// Notes:
//  - Rounding is half away from zero on the exact binary value, done with
//    64- or 128-bit integer arithmetic on the mantissa and exponent; the
//    rare values outside its reach (huge doubles, tiny values in wide
//    fields) go through the exact digit expansion that printf gives.
//  - Digits beyond `digits` are shown as 0.  Iw puts '-' before the first
//    digit.  A field too narrow for its value is w asterisks; NaN and the
//    infinities are named ("NaN", "Inf", "-Inf"), right-justified.
#include "format/fields.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace talik::fields {

namespace {

__extension__ typedef unsigned __int128 u128;

constexpr int MAX_POW = 38;  // 10^38 < 2^127

struct Pow10Table {
    u128 p[MAX_POW + 1];
    int bits[MAX_POW + 1];
};

constexpr int bit_length(u128 x) {
    int n = 0;
    while (x != 0) {
        x >>= 1;
        ++n;
    }
    return n;
}

constexpr Pow10Table make_pow10() {
    Pow10Table t{};
    u128 v = 1;
    for (int i = 0; i <= MAX_POW; ++i) {
        t.p[i] = v;
        t.bits[i] = bit_length(v);
        v *= 10;
    }
    return t;
}

constexpr Pow10Table POW10 = make_pow10();

inline int bits_of(std::uint64_t x) { return x == 0 ? 0 : 64 - __builtin_clzll(x); }
inline int bits_of(u128 x) {
    const auto hi = static_cast<std::uint64_t>(x >> 64);
    return hi != 0 ? 128 - __builtin_clzll(hi) : bits_of(static_cast<std::uint64_t>(x));
}

inline std::uint64_t pow10_64(int n) { return static_cast<std::uint64_t>(POW10.p[n]); }

// A positive finite double as m * 2^e exactly, m odd.
struct Binary {
    std::uint64_t m;
    int e;
};

inline Binary decompose(double magnitude) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
    int e = -1074;  // subnormal
    if (biased != 0) {
        m |= std::uint64_t{1} << 52;
        e = biased - 1075;
    }
    const int tz = __builtin_ctzll(m);
    return {m >> tz, e + tz};
}

// floor(log10 |x|) estimated from the binary exponent: |x| lies in
// [2^n, 2^(n+1)), so the true value is floor(n log10 2) or one more.  The
// fixed-point log10 2 is exact enough for every n a double has.
inline int decimal_exponent_estimate(const Binary& x) {
    const std::int64_t n = x.e + bits_of(x.m) - 1;
    return static_cast<int>((n * 1292913986LL) >> 32);
}

// Digits of q at the end of buf (right-aligned); returns their count.
inline int render(std::uint64_t q, char* end) {
    int n = 0;
    do {
        *--end = static_cast<char>('0' + q % 10);
        q /= 10;
        ++n;
    } while (q != 0);
    return n;
}

void stars(char* out, int w) { std::memset(out, '*', static_cast<std::size_t>(w)); }

void right_justify(char* out, int w, const char* text, int n) {
    if (n > w) {
        stars(out, w);
        return;
    }
    std::memset(out, ' ', static_cast<std::size_t>(w - n));
    std::memcpy(out + (w - n), text, static_cast<std::size_t>(n));
}

// NaN and infinities cannot be rounded; they are named instead.
void put_special(char* out, int w, double value) {
    if (std::isnan(value)) {
        right_justify(out, w, "NaN", 3);
    } else if (value < 0) {
        right_justify(out, w, "-Inf", 4);
    } else {
        right_justify(out, w, "Inf", 3);
    }
}

// The exact decimal expansion (a double has at most 767 significant
// digits, so 770 after the point leave printf nothing to round).
Scaled scale_by_digits(double magnitude, int k) {
    constexpr int DIGITS = 770;
    char buf[DIGITS + 16];
    std::snprintf(buf, sizeof buf, "%.*e", DIGITS, magnitude);
    const int exponent = std::atoi(buf + DIGITS + 3);  // after "d." digits "e"
    auto digit = [&](int i) -> int { return i == 0 ? buf[0] - '0' : (i <= DIGITS ? buf[i + 1] - '0' : 0); };
    const int count = exponent + k + 1;  // digits before the point of |x| * 10^k
    if (count < 0) return {0, false};
    std::uint64_t q = 0;
    for (int i = 0; i < count && i < 19; ++i) q = q * 10 + static_cast<std::uint64_t>(digit(i));
    // with the exact expansion, "at least one half" is "next digit >= 5"
    return {q, digit(count) >= 5};
}

Scaled scale_binary(const Binary& x, double magnitude, int k) {
    const std::uint64_t m = x.m;
    const int e = x.e;
    const int mbits = bits_of(m);

    // Singles and most doubles of the report: all in 64 bits.
    if (k >= 0 && k <= 19 && mbits + POW10.bits[k] <= 63) {
        const std::uint64_t n = m * pow10_64(k);
        if (e >= 0) {
            if (bits_of(n) + e <= 63) return {n << e, false};
        } else if (-e <= 63) {
            const int s = -e;
            return {n >> s, (n & ((std::uint64_t{1} << s) - 1)) >= (std::uint64_t{1} << (s - 1))};
        } else {
            return {0, false};  // n < 2^63 <= 2^(s-1)
        }
    }
    if (k >= 0 && k <= MAX_POW && mbits + POW10.bits[k] <= 127) {
        u128 n = POW10.p[k] * m;
        if (e >= 0) {
            if (bits_of(n) + e <= 64) return {static_cast<std::uint64_t>(n << e), false};
        } else {
            const int s = -e;
            if (s >= 128) return {0, false};  // n < 2^127 <= 2^(s-1)
            const u128 q = n >> s;
            const u128 rest = n & ((u128(1) << s) - 1);
            if ((q >> 64) == 0) return {static_cast<std::uint64_t>(q), rest >= (u128(1) << (s - 1))};
        }
    } else if (k < 0 && -k <= MAX_POW) {
        u128 n = m;
        u128 div = POW10.p[-k];
        bool fits = true;
        if (e >= 0) {
            fits = mbits + e <= 127;
            if (fits) n <<= e;
        } else {
            fits = POW10.bits[-k] - e <= 127;
            if (fits) div <<= -e;
        }
        if (fits) {
            const u128 q = n / div;
            const u128 rest = n % div;
            if ((q >> 64) == 0) return {static_cast<std::uint64_t>(q), rest >= div - rest};
        }
    }
    return scale_by_digits(magnitude, k);
}

}  // namespace

Scaled scale(double magnitude, int k) { return scale_binary(decompose(magnitude), magnitude, k); }

void put_integer(char* out, int w, std::int64_t value) {
    char buf[24];
    char* end = buf + sizeof buf;
    const bool negative = value < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value)
                                             : static_cast<std::uint64_t>(value);
    int n = render(magnitude, end);
    if (negative) {
        *(end - n - 1) = '-';
        ++n;
    }
    right_justify(out, w, end - n, n);
}

void put_fixed(char* out, int w, int d, double value, int digits) {
    if (!std::isfinite(value)) {
        put_special(out, w, value);
        return;
    }
    const double magnitude = std::fabs(value);
    std::uint64_t q = 0;
    int k = d;  // the shown value is q * 10^-k
    if (magnitude != 0.0) {
        const Binary x = decompose(magnitude);
        const int e10 = decimal_exponent_estimate(x);
        // Below 10^(-d-1) the value is far under half a unit of the last place.
        if (e10 + d + 3 > 0) {
            k = std::min(d, digits - 1 - e10);
            const Scaled s = scale_binary(x, magnitude, k);
            if (s.q >= pow10_64(digits)) {
                // one digit too many (the estimate was one low, or the field
                // asks for one more than the value carries): round a place up
                q = s.q / 10 + (s.q % 10 >= 5 ? 1 : 0);
                --k;
            } else {
                q = s.q + (s.half_or_more ? 1 : 0);
            }
        }
    }

    // Lay out: [blanks][-][integer digits].[d fraction digits]
    char buf[24];
    char* end = buf + sizeof buf;
    const int n = q == 0 ? 0 : render(q, end);
    const char* qd = end - n;
    int int_len = 0;    // integer digits taken from q
    int int_zeros = 0;  // zeros after them (k < 0)
    if (k < 0) {
        int_len = n;
        int_zeros = -k;
    } else if (n > k) {
        int_len = n - k;
    }
    const bool lone_zero = (q == 0 && d == 0);
    const bool negative = std::signbit(value) && q != 0;
    const long total = (negative ? 1L : 0L) + int_len + int_zeros + (lone_zero ? 1 : 0) + 1 + d;
    if (total > w) {
        stars(out, w);
        return;
    }
    char* p = out;
    std::memset(p, ' ', static_cast<std::size_t>(w - total));
    p += w - total;
    if (negative) *p++ = '-';
    std::memcpy(p, qd, static_cast<std::size_t>(int_len));
    p += int_len;
    std::memset(p, '0', static_cast<std::size_t>(int_zeros));
    p += int_zeros;
    if (lone_zero) *p++ = '0';
    *p++ = '.';
    // fraction: k digits of q (zero-filled on the left), then d - k zeros
    int frac_from_q = 0;
    if (k > 0) {
        frac_from_q = std::min(n, k);
        std::memset(p, '0', static_cast<std::size_t>(k - frac_from_q));
        p += k - frac_from_q;
        std::memcpy(p, qd + (n - frac_from_q), static_cast<std::size_t>(frac_from_q));
        p += frac_from_q;
    }
    std::memset(p, '0', static_cast<std::size_t>(d - std::max(k, 0)));
}

void put_exponent(char* out, int w, int d, double value, int digits) {
    if (!std::isfinite(value)) {
        put_special(out, w, value);
        return;
    }
    const int shown = std::min(d, digits);
    const double magnitude = std::fabs(value);
    std::uint64_t q = 0;
    int exponent = 0;  // the value is .q * 10^exponent
    if (magnitude != 0.0) {
        const Binary x = decompose(magnitude);
        int e10 = decimal_exponent_estimate(x);
        const Scaled s = scale_binary(x, magnitude, shown - 1 - e10);
        if (s.q >= pow10_64(shown)) {
            q = s.q / 10 + (s.q % 10 >= 5 ? 1 : 0);
            ++e10;
        } else {
            q = s.q + (s.half_or_more ? 1 : 0);
        }
        if (q == pow10_64(shown)) {  // 9.9999996 -> 10.00000
            q = pow10_64(shown - 1);
            ++e10;
        }
        exponent = e10 + 1;
    }
    const bool negative = std::signbit(value) && q != 0;
    const long total = (negative ? 1L : 0L) + 1 + d + 4;
    if (total > w) {
        stars(out, w);
        return;
    }
    char* p = out;
    std::memset(p, ' ', static_cast<std::size_t>(w - total));
    p += w - total;
    if (negative) *p++ = '-';
    *p++ = '.';
    if (q == 0) {
        std::memset(p, '0', static_cast<std::size_t>(shown));
    } else {
        render(q, p + shown);
    }
    p += shown;
    std::memset(p, '0', static_cast<std::size_t>(d - shown));
    p += d - shown;
    const int ae = exponent < 0 ? -exponent : exponent;
    if (ae <= 99) {
        *p++ = 'E';
        *p++ = exponent < 0 ? '-' : '+';
    } else {
        // three exponent digits take the place of the letter
        *p++ = exponent < 0 ? '-' : '+';
        *p++ = static_cast<char>('0' + ae / 100);
    }
    *p++ = static_cast<char>('0' + ae / 10 % 10);
    *p = static_cast<char>('0' + ae % 10);
}

}  // namespace talik::fields
