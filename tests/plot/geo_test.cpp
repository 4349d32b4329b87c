// Date-line cuts, small circles against the textbook formula, fillable
// rings, simplification and path data, the land file, the thinned track.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>
#include <sstream>

#include "format/errors.hpp"
#include "plot/geo.hpp"
#include "plot/land.hpp"
#include "plot/svg.hpp"
#include "plot/thin.hpp"

namespace talik::plot {
namespace {

constexpr double DEG_EXACT = std::numbers::pi / 180.0;

std::string show(const std::vector<GeoLine>& pieces) {
    std::ostringstream out;
    for (const GeoLine& piece : pieces) {
        out << "[";
        for (const LonLat& p : piece) out << " " << p.lon << "," << p.lat;
        out << " ]";
    }
    return out.str();
}

TEST(PlotGeo, SplitAtDateLine) {
    const struct {
        GeoLine line;
        const char* want;
    } cases[] = {
        {{{10, 0}, {20, 5}}, "[ 10,0 20,5 ]"},
        {{{350, 0}, {370, 10}}, "[ -10,0 10,10 ]"},                     // 0..360 input, crossing Greenwich
        {{{170, 0}, {190, 10}}, "[ 170,0 180,5 ][ -180,5 -170,10 ]"},   // eastward
        {{{-170, 0}, {170, 10}}, "[ -170,0 -180,5 ][ 180,5 170,10 ]"},  // westward
        {{{170, 0}, {180, 2}, {170, 4}}, "[ 170,0 180,2 170,4 ]"},      // touches the edge, turns back
        {{{170, 0}, {180, 2}, {190, 4}}, "[ 170,0 180,2 ][ -180,2 -170,4 ]"},
        {{{175, 0}, {-175, 0}, {175, 0}}, "[ 175,0 180,0 ][ -180,0 -175,0 -180,0 ][ 180,0 175,0 ]"},
        {{{0, 0}, {0, 0}}, ""},  // a single point draws nothing
    };
    for (const auto& c : cases) EXPECT_EQ(show(split_at_date_line(c.line)), c.want);
}

// Textbook destination point: latitude and longitude at distance r and
// bearing b from (lon0, lat0).
LonLat destination(LonLat c, double r, double b) {
    const double lat = std::asin(std::sin(c.lat * DEG_EXACT) * std::cos(r * DEG_EXACT) +
                                 std::cos(c.lat * DEG_EXACT) * std::sin(r * DEG_EXACT) * std::cos(b * DEG_EXACT));
    const double lon = c.lon * DEG_EXACT +
                       std::atan2(std::sin(b * DEG_EXACT) * std::sin(r * DEG_EXACT) * std::cos(c.lat * DEG_EXACT),
                                  std::cos(r * DEG_EXACT) - std::sin(c.lat * DEG_EXACT) * std::sin(lat));
    return {wrap_lon(lon / DEG_EXACT), lat / DEG_EXACT};
}

TEST(PlotGeo, SmallCircleAgainstDestinationFormula) {
    const struct {
        LonLat centre;
        double radius;
    } cases[] = {{{-4.25, 40.43}, 19.9}, {{170, -15}, 25}, {{-147.7, 64.8}, 30}, {{10, 89}, 5}, {{0, -80}, 40}};
    for (const auto& c : cases) {
        const GeoLine circle = small_circle(c.centre, c.radius, 72);
        ASSERT_EQ(circle.size(), 73U);
        EXPECT_EQ(circle.front().lon, circle.back().lon);
        for (int k = 0; k < 72; ++k) {
            const LonLat want = destination(c.centre, c.radius, 5.0 * k);
            EXPECT_NEAR(circle[k].lat, want.lat, 1e-9);
            EXPECT_NEAR(std::remainder(circle[k].lon - want.lon, 360.0), 0.0, 1e-9);
        }
    }
    // At a pole every point is at the same latitude, the bearings sweep all longitudes.
    const GeoLine polar = small_circle({0, 90}, 20, 36);
    for (const LonLat& p : polar) EXPECT_NEAR(p.lat, 70.0, 1e-9);
    EXPECT_EQ(split_at_date_line(polar).size(), 1U);  // one piece from edge to edge
}

bool continuous(const GeoLine& ring) {
    for (std::size_t i = 1; i < ring.size(); ++i) {
        if (std::fabs(ring[i].lon - ring[i - 1].lon) > 180.0) return false;
    }
    return true;
}

TEST(PlotGeo, FillRing) {
    // Round the south pole: walked from edge to edge, closed along the bottom.
    const GeoLine cap = fill_ring(small_circle({30, -90}, 12, 90));
    ASSERT_GT(cap.size(), 4U);
    ASSERT_TRUE(continuous(GeoLine(cap.begin(), cap.end() - 3)));  // up to the pole corners
    EXPECT_EQ(std::fabs(cap.front().lon), 180.0);
    EXPECT_EQ(cap.back().lon, cap.front().lon);
    EXPECT_EQ(cap[cap.size() - 2].lat, -90.0);
    EXPECT_EQ(std::fabs(cap[cap.size() - 3].lon - cap.front().lon), 360.0);
    // Across the date line without a pole: continuous and closed, within one turn.
    const GeoLine island = fill_ring({{178, 0}, {-178, 0}, {-178, 2}, {178, 2}, {178, 0}});
    ASSERT_TRUE(continuous(island));
    EXPECT_EQ(island.front().lon, island.back().lon);
    EXPECT_EQ(island.size(), 6U);  // the crossing point added at both ends
}

TEST(PlotSvg, SimplifyAndPathData) {
    std::vector<Px> line;
    for (int k = 0; k <= 50; ++k) line.push_back({0.06 * k, 0.03 * k + (k == 25 ? 1.0 : 0.0)});
    const std::vector<Px> kept = simplify(line, 0.25);
    ASSERT_EQ(kept.size(), 5U);  // the ends, the bump and the points where it starts and ends
    EXPECT_EQ(kept[1].x, line[24].x);
    EXPECT_EQ(kept[2].x, line[25].x);
    EXPECT_EQ(kept[3].x, line[26].x);
    // Relative steps between rounded points: the last point lands on its own rounding.
    PathData path;
    path.polyline(line);
    const std::string d = path.str();
    std::string numbers = d.substr(1);
    for (char& c : numbers) c = (c == 'l' || c == ',') ? ' ' : c;
    std::istringstream in(numbers);
    double x = 0, y = 0;
    in >> x >> y;
    for (double dx = 0, dy = 0; in >> dx >> dy;) x += dx, y += dy;
    EXPECT_NEAR(x, 3.0, 1e-9);
    EXPECT_NEAR(y, 1.5, 1e-9);
    EXPECT_EQ(d.substr(0, 12), "M0,0l0.1,0 0");
}

TEST(PlotLand, ParseAndEmbeddedOutline) {
    const auto rings = parse_land("# c\ngrid 0.5 0.25 -180 -90\nring 0,0 2,0 2,4 0,0\n");
    ASSERT_EQ(rings.size(), 1U);
    EXPECT_EQ(rings[0][2].lon, -179.0);
    EXPECT_EQ(rings[0][2].lat, -89.0);
    EXPECT_THROW(parse_land("ring 0,0 1,1 0,0\n"), InternalError);
    try {
        parse_land("grid 1 1 0 0\n\nring 0,0 1,x\n");
        FAIL();
    } catch (const InternalError& e) {
        EXPECT_STREQ(e.what(), "land data, line 3: a number was expected at column 12");
    }
    // Ray casting on the decoded outline: land and sea where an atlas has them.
    const auto inside = [](LonLat p) {
        bool in = false;
        for (const GeoLine& r : land_rings()) {
            for (std::size_t i = 1; i < r.size(); ++i) {
                const LonLat a = r[i - 1], b = r[i];
                if ((a.lat > p.lat) != (b.lat > p.lat) &&
                    p.lon < a.lon + (p.lat - a.lat) / (b.lat - a.lat) * (b.lon - a.lon)) {
                    in = !in;
                }
            }
        }
        return in;
    };
    EXPECT_EQ(land_rings().size(), 126U);
    for (const LonLat land : {LonLat{20, 5}, LonLat{-60, -10}, LonLat{135, -25}, LonLat{-100, 45}}) {
        EXPECT_TRUE(inside(land)) << land.lon << "," << land.lat;
    }
    for (const LonLat sea : {LonLat{-130, 0}, LonLat{-30, 30}, LonLat{80, -20}, LonLat{-35, -58}}) {
        EXPECT_FALSE(inside(sea)) << sea.lon << "," << sea.lat;
    }
}

// A circular orbit over three revolutions at several steps: the kept samples
// are the first, the last, both sides of every change of style and of every
// date-line crossing, and otherwise no closer than the stated spacing.
TEST(PlotTrack, ThinnedAsItComes) {
    constexpr double PERIOD_S = 5560.0, INCLINATION = 51.6 * DEG_EXACT, EARTH_DEG_PER_S = 360.0 / 86164.0;
    constexpr double MIN_GAP_S = PERIOD_S / TRACK_POINTS_PER_REVOLUTION;  // 2.78 s
    const struct {
        std::int64_t step_s;
        bool all_kept;
    } cases[] = {{1, false}, {2, false}, {3, true}, {20, true}};
    for (const auto& c : cases) {
        std::vector<TrackSample> in, out;
        TrackThinner thinner(out, TRACK_POINTS_PER_REVOLUTION);
        for (std::int64_t t = 0; t <= 3 * PERIOD_S; t += c.step_s) {
            const double u = 2 * std::numbers::pi * static_cast<double>(t) / PERIOD_S;
            const TrackThinner::Direction d{std::cos(u), std::sin(u) * std::cos(INCLINATION),
                                            std::sin(u) * std::sin(INCLINATION)};
            const double lon = std::atan2(d[1], d[0]) / DEG_EXACT - static_cast<double>(t) * EARTH_DEG_PER_S;
            in.push_back({t * 1000, std::asin(d[2]) / DEG_EXACT, lon, std::fmod(u, 2 * std::numbers::pi) < 4.0,
                          t % 1500 < 300, t % 1500 >= 100 && t % 1500 < 200});
            thinner.add(in.back(), d);
        }
        thinner.finish();
        SCOPED_TRACE("step " + std::to_string(c.step_s) + " s");
        const auto cut = [](const TrackSample& a, const TrackSample& b) {
            return a.style() != b.style() || crosses_date_line(a.lon_deg, b.lon_deg);
        };
        std::set<std::int64_t> kept;
        for (std::size_t i = 0; i < out.size(); ++i) {
            kept.insert(out[i].t_ms);
            if (i == 0) continue;
            const std::int64_t gap = out[i].t_ms - out[i - 1].t_ms;
            ASSERT_GT(gap, 0);
            EXPECT_LE(gap, (MIN_GAP_S + static_cast<double>(c.step_s)) * 1000);
            // Closer than the spacing only beside a cut, or at the end.
            const bool beside_cut = cut(out[i - 1], out[i]) || (i + 1 < out.size() && cut(out[i], out[i + 1]));
            if (!beside_cut && i + 1 < out.size()) {
                EXPECT_GE(static_cast<double>(gap), MIN_GAP_S * 1000 - 1);
            }
        }
        EXPECT_EQ(out.size() == in.size(), c.all_kept);
        EXPECT_TRUE(kept.count(in.front().t_ms) && kept.count(in.back().t_ms));
        int cuts = 0;
        for (std::size_t i = 1; i < in.size(); ++i) {
            if (!cut(in[i - 1], in[i])) continue;
            ++cuts;
            EXPECT_TRUE(kept.count(in[i - 1].t_ms) && kept.count(in[i].t_ms)) << "at " << in[i].t_ms;
        }
        EXPECT_GT(cuts, 10);
        EXPECT_LE(out.size(), 3 * TRACK_POINTS_PER_REVOLUTION + 2 * cuts + 2);
    }
}

}  // namespace
}  // namespace talik::plot
