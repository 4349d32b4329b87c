// Renders a fixed synthetic prediction to map.svg, sky.svg and page.html in
// the given directory, and writes probes.txt: places on the map (lon lat)
// with the colour the picture must show there, for check_render.py.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>

#include "plot/plot.hpp"
#include "plot/style.hpp"

namespace {

using namespace talik::plot;

constexpr double DEG_EXACT = std::numbers::pi / 180.0;
constexpr std::int64_t START = 1718064000000;  // 2024-06-11 00:00:00 UTC
constexpr std::int64_t STEP_MS = 30'000;
constexpr double PERIOD_MIN = 92.68, INCLINATION_DEG = 51.6;
constexpr double EARTH_DEG_PER_MIN = 360.0 / 1436.07;

// A circular orbit's ground track, in shadow over a fixed arc of each turn.
TrackSample sample(std::int64_t t_ms) {
    const double minutes = static_cast<double>(t_ms - START) / 60000.0;
    const double u = 2 * std::numbers::pi * minutes / PERIOD_MIN;
    const double lat = std::asin(std::sin(INCLINATION_DEG * DEG_EXACT) * std::sin(u)) / DEG_EXACT;
    const double lon = -30.0 +
                       std::atan2(std::cos(INCLINATION_DEG * DEG_EXACT) * std::sin(u), std::cos(u)) / DEG_EXACT -
                       EARTH_DEG_PER_MIN * minutes;
    const double phase = std::fmod(u, 2 * std::numbers::pi);
    return {t_ms, lat, lon + 360.0, !(phase > 3.6 && phase < 5.4), false, false};
}

double central_angle(double lat1, double lon1, double lat2, double lon2) {
    const double c = std::sin(lat1 * DEG_EXACT) * std::sin(lat2 * DEG_EXACT) +
                     std::cos(lat1 * DEG_EXACT) * std::cos(lat2 * DEG_EXACT) * std::cos((lon1 - lon2) * DEG_EXACT);
    return std::acos(std::fmax(-1.0, std::fmin(1.0, c))) / DEG_EXACT;
}

PlotData fixture() {
    PlotData d;
    d.title = "TESTSAT 99999 from <script>alert(1)</script> & \"co\" 'n'";
    d.object = "TESTSAT <b>99999</b>";
    d.start_ms = START;
    d.end_ms = START + 6 * 3600 * 1000;
    d.sites.push_back({"MADRID", 40.43, -4.25, 19.9, 12.4, 10.0, Prefilter::None, 0});
    d.sites.push_back(
        {"<script>alert(1)</script> & \"Q\" 'S'", -15.0, 170.0, 19.9, 19.9, 0.0, Prefilter::LongitudeBand, 30.0});
    for (std::int64_t t = d.start_ms; t <= d.end_ms; t += STEP_MS) {
        TrackSample s = sample(t);
        for (const SiteView& site : d.sites) {
            s.in_pass = s.in_pass ||
                        central_angle(s.lat_deg, s.lon_deg, site.lat_deg, site.lon_deg) < site.horizon_radius_deg;
        }
        // Seen in the window's second half only, as if the sites' evening began then.
        s.visible = s.in_pass && s.sunlit && t - START >= 3 * 3600 * 1000;
        d.track.push_back(s);
    }
    PassView p{1,
               "TESTSAT <b>99999</b>",
               "MADRID & <i>co</i>",
               12345,
               START + 600000,
               START + 900000,
               START + 1200000,
               200.0,
               62.5,
               290.0,
               480.0,
               20.0,
               0.6,
               "AB",
               {"filter_cut", "<script>x</script>"},
               -12.5,
               180,
               START + 720000,
               START + 900000,
               {}};
    for (int k = 0; k <= 40; ++k) {
        const double f = k / 40.0;
        p.sky.push_back({p.aos_ms + static_cast<std::int64_t>(f * 600000), 200.0 + 180.0 * f,
                         62.5 * std::sin(std::numbers::pi * f), f < 0.6, f >= 0.2 && f < 0.5});
    }
    d.passes.push_back(p);
    return d;
}

void write(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: render_fixture DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::filesystem::create_directories(dir);
    const PlotData d = fixture();
    write(dir + "/map.svg", map_svg(d));
    write(dir + "/sky.svg", sky_svg(d.passes.front()));
    write(dir + "/page.html", page_html(d));
    std::string probes;
    const auto probe = [&](const char* what, double lon, double lat, std::string_view colour) {
        char line[160];
        std::snprintf(line, sizeof line, "%s %.4f %.4f %.*s\n", what, lon, lat, static_cast<int>(colour.size()),
                      colour.data());
        probes += line;
    };
    for (const SiteView& s : d.sites) probe("site", s.lon_deg, s.lat_deg, style::SITE);
    // Sunlit track samples in and out of a pass and in a visible stretch,
    // halfway between ticks and well inside a stretch of one style, away
    // from the sites.
    const struct {
        const char* kind;
        int style;
        std::string_view colour;
    } kinds[] = {{"pass", 3, style::SUNLIT}, {"track", 2, style::SUNLIT}, {"visible", 4, style::VISIBLE}};
    for (const auto& k : kinds) {
        for (std::size_t i = 20; i + 20 < d.track.size(); ++i) {
            const TrackSample& t = d.track[i];
            const bool plain = t.style() == k.style && (t.t_ms - START) % 600000 == 300000 &&
                               d.track[i - 4].style() == k.style && d.track[i + 4].style() == k.style &&
                               central_angle(t.lat_deg, t.lon_deg, 40.43, -4.25) > 5.0;
            if (!plain) continue;
            probe(k.kind, t.lon_deg - 360.0, t.lat_deg, k.colour);
            break;
        }
    }
    probe("land", 20.0, 5.0, style::LAND);    // central Africa
    probe("land", 100.0, 65.0, style::LAND);  // Siberia
    probe("sea", -125.0, 8.0, style::SEA);    // mid-Pacific
    probe("sea", -35.0, -58.0, style::SEA);   // South Atlantic
    write(dir + "/probes.txt", probes);
    return 0;
}
