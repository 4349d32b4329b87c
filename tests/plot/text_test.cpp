// Escaping, coordinate and time formatting.
#include <gtest/gtest.h>

#include <cmath>

#include "plot/text.hpp"

namespace talik::plot {
namespace {

TEST(PlotText, Escape) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
        {"A & B \"q\" 'a'", "A &amp; B &quot;q&quot; &#39;a&#39;"},
        {"&amp;", "&amp;amp;"},
        {"tab\tnl\n", "tab\tnl\n"},
        {std::string("nul\0bel\x07 del\x7F", 13), "nul&#xFFFD;bel&#xFFFD; del&#xFFFD;"},
        {"Mu\xC3\xB1oz \xE2\x82\xAC \xF0\x9F\x9B\xB0", "Mu\xC3\xB1oz \xE2\x82\xAC \xF0\x9F\x9B\xB0"},  // kept
        {"lone \xC3 byte", "lone &#xFFFD; byte"},
        {"overlong \xC0\xBC", "overlong &#xFFFD;&#xFFFD;"},
        {"surrogate \xED\xA0\x80", "surrogate &#xFFFD;&#xFFFD;&#xFFFD;"},
        {"not a char \xEF\xBF\xBF", "not a char &#xFFFD;&#xFFFD;&#xFFFD;"},
        {"cut \xE2\x82", "cut &#xFFFD;&#xFFFD;"},
    };
    for (const auto& c : cases) EXPECT_EQ(escape_xml(c.in), c.out) << c.in;
}

TEST(PlotText, Numbers) {
    const struct {
        double v;
        const char* coord;
        const char* fixed1;
    } cases[] = {
        {12.34, "12.3", "12.3"}, {-4.0, "-4", "-4.0"},        {0.04, "0", "0.0"},    {-0.04, "0", "0.0"},
        {-0.06, "-0.1", "-0.1"}, {1535.96, "1536", "1536.0"}, {89.99, "90", "90.0"}, {-123.45678, "-123.5", "-123.5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(coord(c.v), c.coord) << c.v;
        EXPECT_EQ(fixed(c.v, 1), c.fixed1) << c.v;
    }
    EXPECT_EQ(fixed(std::nan(""), 1), "-");
    EXPECT_EQ(fixed(479.6, 0), "480");
}

TEST(PlotText, UtcTimes) {
    const struct {
        std::int64_t t_ms;
        const char *datetime, *hhmm, *hhmmss, *mmdd_hhmm;
    } cases[] = {
        {0, "1970-01-01 00:00:00", "00:00", "00:00:00", "01-01 00:00"},
        {951782400000, "2000-02-29 00:00:00", "00:00", "00:00:00", "02-29 00:00"},
        {1718107199499, "2024-06-11 11:59:59", "12:00", "11:59:59", "06-11 12:00"},  // rounded to the shown unit
        {1718107199500, "2024-06-11 12:00:00", "12:00", "12:00:00", "06-11 12:00"},
        {1718064029999, "2024-06-11 00:00:30", "00:00", "00:00:30", "06-11 00:00"},
        {-1000, "1969-12-31 23:59:59", "00:00", "23:59:59", "01-01 00:00"},
        {4102444799000, "2099-12-31 23:59:59", "00:00", "23:59:59", "01-01 00:00"},  // the date rounded with the time
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utc_datetime(c.t_ms), c.datetime) << c.t_ms;
        EXPECT_EQ(utc_hhmm(c.t_ms), c.hhmm) << c.t_ms;
        EXPECT_EQ(utc_hhmmss(c.t_ms), c.hhmmss) << c.t_ms;
        EXPECT_EQ(utc_mmdd_hhmm(c.t_ms), c.mmdd_hhmm) << c.t_ms;
    }
    EXPECT_EQ(duration_text(599'600), "10:00");
    EXPECT_EQ(duration_text(3'661'000), "1:01:01");
    EXPECT_EQ(duration_text(-65'000), "-1:05");
}

}  // namespace
}  // namespace talik::plot
