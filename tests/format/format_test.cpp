// Formats: parsing and the output fields.
#include "format/format.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace talik {
namespace {

std::string out(const char* format, std::initializer_list<Value> values) {
    return format_records(Format(format), values);
}

// ---------------------------------------------------------------- parsing

TEST(FormatParse, AcceptsTheNotation) {
    struct Case {
        const char* format;
        std::vector<Value> values;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"(i2)", {std::int32_t{7}}, " 7"},
        {"( 2 I 3 , 1X ,'a b')", {std::int32_t{1}, std::int32_t{2}}, "  1  2 a b"},
        {"(I2'x'I2)", {std::int32_t{1}, std::int32_t{2}}, " 1x 2"},
        {"('it''s',''''/'')", {}, "it's'\n"},
        {"(2(I1,2('-',I1)))", {1, 2, 3, 4, 5, 6}, "1-2-34-5-6"},
        {"(2a1,f4.1,e9.2)", {"xy", "z", Single(1.5), Single(2.0)}, "xz 1.5  .20E+01"},
        {"()", {}, ""},
        {"('a'//'b')", {}, "a\n\nb"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(format_records(Format(c.format), c.values), c.expected) << c.format;
    }
}

TEST(FormatParse, ExpandsDescriptorRepeatsButKeepsGroups) {
    const Format f("(2I2,3('/',I2))");
    const auto& items = f.items();
    ASSERT_EQ(items.size(), 6U);  // I2 I2 ( '/' I2 )
    EXPECT_EQ(items[2].kind, FormatItem::Kind::GroupStart);
    EXPECT_EQ(items[2].repeat, 3);
    EXPECT_EQ(items[2].partner, 5);
    EXPECT_EQ(items[5].partner, 2);
    EXPECT_EQ(items[3].literal, "/");
    EXPECT_EQ(f.steps().size(), 8U);
    EXPECT_EQ(f.slots().size(), 5U);
    EXPECT_TRUE(f.output_only());
    EXPECT_FALSE(Format("(7I5/6F10.0)").output_only());
}

TEST(FormatParse, RejectsMalformedText) {
    const char* bad[] = {"",
                         "I5",
                         "(I5",
                         "(I5))",
                         "(I5)x",
                         "(,I5)",
                         "(I5,)",
                         "(I5,,I2)",
                         "(I)",
                         "(I0)",
                         "(F7)",
                         "(F7.)",
                         "(E9.0)",
                         "(X)",
                         "(0X)",
                         "(2'ab')",
                         "('abc)",
                         "(2/)",
                         "(Q5)",
                         "(2())",
                         "(0I2)",
                         "(I1001)",
                         "(1000(1000(I1)))",
                         "(I5.2)",
                         "(A0)",
                         "(3)"};
    for (const char* text : bad) EXPECT_THROW(Format{text}, FormatError) << text;
}

// ------------------------------------------------------------ the fields

TEST(FormatFields, EdgeCases) {
    struct Case {
        const char* format;
        Value value;
        const char* expected;
    };
    const Case cases[] = {
        {"(I4)", std::int32_t{12345}, "****"},
        {"(I2)", std::int32_t{-5}, "-5"},
        {"(I5)", std::int32_t{0}, "    0"},
        {"(I2)", std::int16_t{3}, " 3"},
        {"(I2)", std::int32_t{-10}, "**"},
        {"(I11)", std::int32_t{INT32_MIN}, "-2147483648"},
        {"(F7.2)", Single(0.004), "    .00"},
        {"(F7.2)", Single(-0.004), "    .00"},
        {"(F7.2)", Single(0.006), "    .01"},
        {"(F7.2)", Single(0.005), "    .00"},  // stored just below 0.005
        {"(F7.2)", 0.005, "    .01"},          // the double is just above
        {"(F8.2)", Single(359.996), "  360.00"},
        {"(F8.2)", Single(359.995), "  359.99"},  // stored as 359.99499...
        {"(F8.2)", Single(359.99503), "  360.00"},
        {"(F7.2)", Single(10000.0), "*******"},
        {"(F7.2)", Single(9999.99), "9999.99"},
        {"(F7.2)", Single(-999.99), "-999.99"},
        {"(F6.2)", Single(-999.99), "******"},
        {"(F7.2)", Single(0.5), "    .50"},
        {"(F7.2)", Single(-0.5), "   -.50"},
        {"(F10.3)", Single(12345.678), " 12345.680"},
        {"(F10.3)", 12345.678, " 12345.678"},
        {"(F12.2)", Single(16777217.0), " 16777220.00"},
        {"(F7.2)", Single(-0.0), "    .00"},
        {"(F7.1)", Single(0.25), "     .3"},
        {"(F7.1)", Single(-0.25), "    -.3"},
        {"(F5.0)", Single(2.5), "   3."},
        {"(F5.0)", Single(0.4), "   0."},
        {"(F5.0)", Single(-0.4), "   0."},
        {"(F5.0)", Single(0.5), "   1."},
        {"(F2.0)", Single(0.0), "0."},
        {"(F1.0)", Single(0.0), "*"},
        {"(F3.2)", Single(0.125), ".13"},
        {"(F9.8)", Single(0.1), ".10000000"},
        {"(F7.2)", Single(NAN), "    NaN"},
        {"(F7.2)", Single(-INFINITY), "   -Inf"},
        {"(F2.0)", Single(INFINITY), "**"},
        {"(E15.6)", Single(1.5), "    .150000E+01"},
        {"(E15.6)", Single(0.0), "    .000000E+00"},
        {"(E15.6)", Single(-0.0), "    .000000E+00"},
        {"(E15.6)", Single(-1.5), "   -.150000E+01"},
        {"(E15.6)", Single(9.9999999), "    .100000E+02"},
        {"(E15.6)", Single(1.0e-5), "    .100000E-04"},
        {"(E14.9)", Single(0.1), ".100000000E+00"},  // 7 digits, then zeros
        {"(E13.9)", Single(0.1), "*************"},
        {"(E10.3)", 1.0e300, "  .100+301"},
        {"(E10.3)", -1.0e-300, " -.100-299"},
        {"(E10.4)", Single(1.5), " .1500E+01"},
        {"(E9.4)", Single(-1.5), "*********"},
        {"(A1)", "ND", "N"},
        {"(A2)", "ND", "ND"},
        {"(A3)", "ND", " ND"},
        {"(A)", "=== OUTPUT FILE OPEN ERROR!", "=== OUTPUT FILE OPEN ERROR!"},
        {"(A)", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(out(c.format, {c.value}), c.expected) << c.format << " of row " << (&c - cases);
    }
}

TEST(FormatFields, RoundsTheExactBinaryValueHalfAwayFromZero) {
    // Exact binary ties go away from zero; values a hair below a tie go down.
    struct Case {
        double value;
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {0.125, "(F6.2)", "   .13"},
        {-0.125, "(F6.2)", "  -.13"},
        {2.5, "(F4.0)", "  3."},
        {-2.5, "(F4.0)", " -3."},
        {1.0 / 1024, "(F8.3)", "    .001"},
        {0.375, "(F5.2)", "  .38"},
        {1.005, "(F5.2)", " 1.00"},
        {1.015, "(F5.2)", " 1.01"},
        {1.025, "(F5.2)", " 1.02"},
        {4503599627370497.0, "(F18.0)", " 4503599627370497."},    // 16 digits, a double
        {12345678901234567.0, "(F19.0)", " 12345678901234570."},  // 17th digit shown as 0
    };
    for (const Case& c : cases) EXPECT_EQ(out(c.format, {c.value}), c.expected) << c.value;
}

TEST(FormatWrite, StopsAtTheFirstDescriptorWithoutValue) {
    EXPECT_EQ(out("(I2,'a',/,'b',I2,'c')", {std::int32_t{1}}), " 1a\nb");
    EXPECT_EQ(out("(I2,/)", {std::int32_t{1}}), " 1\n");
    EXPECT_EQ(out("('x',A)", {}), "x");
    EXPECT_EQ(out("(3(A,E15.6))", {"E="}), "E=");
}

TEST(FormatWrite, RefusesValuesThatDoNotMatch) {
    EXPECT_THROW(out("(I5)", {std::int32_t{1}, std::int32_t{2}}), FormatError);
    EXPECT_THROW(out("(F7.2)", {std::int32_t{1}}), FormatError);
    EXPECT_THROW(out("(E15.6)", {std::int16_t{1}}), FormatError);
    EXPECT_THROW(out("(I5)", {Single(1.0)}), FormatError);
    EXPECT_THROW(out("(A1)", {std::int32_t{1}}), FormatError);
    EXPECT_THROW(out("(F7.2)", {"x"}), FormatError);
}

TEST(FormatWrite, LongRecordsLeaveTheStackBuffer) {
    const std::string text(5000, 'q');
    EXPECT_EQ(out("(A,'!',I3)", {std::string_view(text), std::int32_t{7}}), text + "!  7");
    EXPECT_EQ(out("(3(1000X),'e')", {}), std::string(3000, ' ') + "e");
}

// ------------------------------------------- a second way to round: text

// Rounds the exact decimal expansion (from printf, digit by digit) to the
// last place the field keeps and lays the F field out from the digits.
std::string reference_fixed(double v, int w, int d, int max_digits) {
    std::vector<char> buf(1500);
    std::snprintf(buf.data(), buf.size(), "%.1100f", std::fabs(v));
    std::string s(buf.data());
    const std::size_t point = s.find('.');
    std::string digits = s.substr(0, point) + s.substr(point + 1);
    const long int_digits = static_cast<long>(point);
    long keep = int_digits + d;  // digits kept, counted from the left
    const std::size_t first = digits.find_first_not_of('0');
    if (first != std::string::npos) keep = std::min(keep, static_cast<long>(first) + max_digits);
    std::string kept = digits.substr(0, static_cast<std::size_t>(keep));
    if (digits[static_cast<std::size_t>(keep)] >= '5') {
        long i = keep - 1;
        while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') kept[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0) {
            ++kept[static_cast<std::size_t>(i)];
        } else {
            kept.insert(kept.begin(), '1');
        }
    }
    const long shift = static_cast<long>(kept.size()) - keep;  // 1 when a carry added a digit
    kept.resize(static_cast<std::size_t>(int_digits + d + shift), '0');
    std::string ip = kept.substr(0, static_cast<std::size_t>(int_digits + shift));
    const std::string fp = kept.substr(static_cast<std::size_t>(int_digits + shift));
    ip.erase(0, std::min(ip.find_first_not_of('0'), ip.size()));
    const bool zero = kept.find_first_not_of('0') == std::string::npos;
    if (zero && d == 0) ip = "0";
    const std::string text = (std::signbit(v) && !zero ? "-" : "") + ip + "." + fp;
    if (static_cast<int>(text.size()) > w) return std::string(static_cast<std::size_t>(w), '*');
    return std::string(static_cast<std::size_t>(w) - text.size(), ' ') + text;
}

TEST(FormatProperty, FixedMatchesTheDigitByDigitReference) {
    std::mt19937_64 rng(20240611);
    for (int i = 0; i < 200000; ++i) {
        const bool single = i % 2 == 0;
        double v = 0;
        if (single) {
            // any float with a decimal exponent from about -12 to +12
            const std::uint32_t bits = static_cast<std::uint32_t>(rng());
            float f = 0;
            std::uint32_t b = (bits & 0x80FFFFFFU) | ((88U + static_cast<std::uint32_t>(rng() % 80)) << 23);
            std::memcpy(&f, &b, sizeof f);
            v = f;
        } else {
            const std::uint64_t bits = rng();
            std::uint64_t b = (bits & 0x800FFFFFFFFFFFFFULL) | ((1023ULL - 60 + rng() % 120) << 52);
            std::memcpy(&v, &b, sizeof v);
        }
        const int d = static_cast<int>(rng() % 12);
        const int w = d + 1 + static_cast<int>(rng() % 22);
        char format[32];
        std::snprintf(format, sizeof format, "(F%d.%d)", w, d);
        const std::string got = single ? out(format, {Single(v)}) : out(format, {v});
        ASSERT_EQ(got, reference_fixed(v, w, d, single ? 7 : 16)) << format << " of " << v;
    }
}

TEST(FormatProperty, FixedReadsBackWithinHalfAUnit) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    for (int i = 0; i < 100000; ++i) {
        const Single v = std::ldexp(mantissa(rng), static_cast<int>(rng() % 40) - 20);
        const int d = static_cast<int>(rng() % 8);
        const int w = 2 + d + static_cast<int>(rng() % 12);
        char format[32];
        std::snprintf(format, sizeof format, "(F%d.%d)", w, d);
        const std::string got = out(format, {v});
        ASSERT_EQ(got.size(), static_cast<std::size_t>(w));
        if (got.find('*') != std::string::npos) {
            ASSERT_EQ(got, std::string(static_cast<std::size_t>(w), '*'));
            ASSERT_GT(std::fabs(v), std::pow(10.0, w - d - 3)) << format << " of " << v;
            continue;
        }
        const double back = std::strtod(got.c_str(), nullptr);
        const double magnitude = std::fabs(static_cast<double>(v));
        const double last_digit = magnitude == 0 ? 0 : std::pow(10.0, std::floor(std::log10(magnitude)) - 6);
        const double unit = std::max(std::pow(10.0, -d), last_digit);
        ASSERT_LE(std::fabs(back - v), 0.5 * unit * (1 + 1e-9)) << format << " of " << v << ": " << got;
        if (back == 0) {
            ASSERT_EQ(got.find('-'), std::string::npos) << got;
        }
    }
}

TEST(FormatProperty, BoundariesOfBinadesAndDecades) {
    // where the decimal exponent estimated from the binary one is tightest
    std::vector<double> values;
    for (int n = -80; n <= 80; ++n) {
        const double two = std::ldexp(1.0, n);
        const double ten = std::pow(10.0, n / 4);
        for (const double v : {two, ten}) {
            values.insert(values.end(), {v, std::nextafter(v, 0.0), std::nextafter(v, 1e300)});
            const float f = static_cast<float>(v);
            values.insert(values.end(), {std::nextafter(f, 0.0F), f, std::nextafter(f, 1e30F)});
        }
    }
    for (const double v : values) {
        for (const int d : {0, 2, 5, 9}) {
            const std::string fmt = "(F60." + std::to_string(d) + ")";
            ASSERT_EQ(out(fmt.c_str(), {v}), reference_fixed(v, 60, d, 16)) << v << " " << d;
            ASSERT_EQ(out(fmt.c_str(), {Single(v)}), reference_fixed(Single(v), 60, d, 7)) << v << " " << d;
        }
    }
}

TEST(FormatProperty, ExponentReadsBackWithinHalfAUnit) {
    std::mt19937 rng(5);
    for (int i = 0; i < 50000; ++i) {
        std::uint32_t bits = static_cast<std::uint32_t>(rng());
        float f = 0;
        std::memcpy(&f, &bits, sizeof f);
        if (!std::isfinite(f) || f == 0) continue;
        const int d = 1 + static_cast<int>(rng() % 10);
        const std::string fmt = "(E" + std::to_string(d + 6) + "." + std::to_string(d) + ")";
        const std::string got = out(fmt.c_str(), {Single(f)});
        const std::size_t point = got.find('.');
        ASSERT_NE(point, std::string::npos) << got;
        ASSERT_NE(got[point + 1], '0') << got;  // a normalised fraction
        ASSERT_EQ(got[point + 1 + static_cast<std::size_t>(d)], 'E') << got;
        const double back = std::strtod(got.c_str(), nullptr);
        const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(back))) + 1 - std::min(d, 7));
        ASSERT_LE(std::fabs(back - f), 0.5 * unit * (1 + 1e-9)) << fmt << " of " << f << ": " << got;
    }
}

TEST(FormatProperty, ExtremeValuesTakeTheSlowPathCorrectly) {
    const double values[] = {1e-300, 4.9e-324, 1.7976931348623157e308, 123456789.0, 1e22, 1e23, 3.4028235e38};
    for (const double v : values) {
        for (const int d : {0, 3, 20, 40}) {
            const std::string fmt = "(F400." + std::to_string(d) + ")";
            EXPECT_EQ(out(fmt.c_str(), {v}), reference_fixed(v, 400, d, 16)) << v << " " << d;
            if (std::isfinite(static_cast<double>(Single(v)))) {
                EXPECT_EQ(out(fmt.c_str(), {Single(v)}), reference_fixed(Single(v), 400, d, 7)) << v << " " << d;
            }
        }
    }
}

}  // namespace
}  // namespace talik
