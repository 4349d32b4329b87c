// Drawing speed and size of the pictures for the largest run: 100 000 track
// samples (60 s steps of a low orbit, about 69 days), three sites and 300
// passes.  Target: the page in under a second on one core, the map under
// 2 MB.  The counters report the sizes in bytes.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

#include "plot/plot.hpp"

namespace {

using namespace talik::plot;

PlotData largest_run() {
    constexpr double DEG_EXACT = std::numbers::pi / 180.0;
    PlotData d;
    d.title = "BENCH 99999 from MADRID";
    d.object = "BENCH 99999";
    d.start_ms = 1718064000000;
    for (int k = 0; k < 100'000; ++k) {
        const double minutes = k;
        const double u = 2 * std::numbers::pi * minutes / 92.68;
        const double lat = std::asin(std::sin(51.6 * DEG_EXACT) * std::sin(u)) / DEG_EXACT;
        const double lon = std::atan2(std::cos(51.6 * DEG_EXACT) * std::sin(u), std::cos(u)) / DEG_EXACT -
                           minutes * 0.2507;
        d.track.push_back(
            {d.start_ms + k * 60'000LL, lat, std::fmod(lon + 3600.0, 360.0), k % 93 < 60, k % 97 < 8, k % 97 < 4});
    }
    d.end_ms = d.track.back().t_ms;
    d.sites = {{"MADRID", 40.43, -4.25, 19.9, 12.4, 10, Prefilter::None, 0},
               {"NORTH", 64.8, -147.7, 19.9, 19.9, 0, Prefilter::LatitudeAtLeast, 20},
               {"WEST", -15, 170, 19.9, 19.9, 0, Prefilter::LongitudeBand, 30}};
    for (int p = 0; p < 300; ++p) {
        PassView pass{p + 1, "BENCH 99999", "MADRID", 1000 + p, 0,  0,   0,   120, 45, 200,
                      600,   300,           0.5,      "A",      {}, -10, 200, 0,   0,  {}};
        pass.aos_ms = d.start_ms + p * 20'000'000LL;
        pass.tca_ms = pass.aos_ms + 300'000;
        pass.los_ms = pass.tca_ms + 300'000;
        for (int s = 0; s <= 60; ++s) {
            pass.sky.push_back({pass.aos_ms + s * 10'000LL, 120.0 + 3.0 * s, 45.0 * std::sin(s * std::numbers::pi / 60),
                                s < 40, s < 20});
        }
        d.passes.push_back(pass);
    }
    return d;
}

void BM_MapSvg(benchmark::State& state) {
    const PlotData d = largest_run();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string svg = map_svg(d);
        bytes = svg.size();
        benchmark::DoNotOptimize(svg.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_MapSvg)->Unit(benchmark::kMillisecond);

void BM_PageHtml(benchmark::State& state) {
    const PlotData d = largest_run();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string html = page_html(d);
        bytes = html.size();
        benchmark::DoNotOptimize(html.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PageHtml)->Unit(benchmark::kMillisecond);

}  // namespace
