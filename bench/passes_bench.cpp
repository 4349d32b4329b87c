// Speed of talik-passes' engine: a generated catalogue of 2000 low orbits
// seen from one site for 24 hours at 20 s (8.6 million steps), on all
// cores, as run_passes runs it.  The counter steps_per_second compares with
// the step rate of one 99999-step talik run (bench/run_bench.sh, case (a)).
#include <benchmark/benchmark.h>

#include <thread>

#include "time/iso_datim.hpp"
#include "time/model_calendar.hpp"
#include "passes/run_passes.hpp"

namespace {

using namespace talik;

constexpr int OBJECTS = 2000;
constexpr std::int32_t STEP_S = 20;
constexpr std::int32_t STEPS = 86400 / STEP_S + 1;

// Low orbits from 300 to 1200 km, spread in inclination, node and anomaly
// by fixed strides so that every run sees the same catalogue.
std::vector<PassObject> catalogue(const Site& site) {
    std::vector<PassObject> objects;
    const std::int64_t start = model_seconds({2024, 1, 10, 0, 0, 0});
    for (int i = 0; i < OBJECTS; ++i) {
        PassObject o;
        o.label = std::to_string(10000 + i);
        o.source = "generated";
        ElementSet& e = o.elements;
        e.EPOCH = {2024, 1, 9, 12, 0, 0};
        e.NREV0 = 1000;
        e.SMA = 6678.0 + (i * 37) % 900;
        e.ECC = 0.0005 + 0.0001 * (i % 20);
        e.INCL = 20.0 + (i * 7.3 - 80.0 * static_cast<int>(i * 7.3 / 80.0));
        e.RAAN = (i * 17.1) - 360.0 * static_cast<int>(i * 17.1 / 360.0);
        e.ARGP = (i * 29.0) - 360.0 * static_cast<int>(i * 29.0 / 360.0);
        e.MANOM = (i * 53.0) - 360.0 * static_cast<int>(i * 53.0 / 360.0);
        e.SMADT = -0.01;
        e.MMOTION = 15.0;
        o.scan = Scan{start, STEP_S, STEPS, true};
        o.sites = {site};
        objects.push_back(std::move(o));
    }
    return objects;
}

void catalogue_one_site(benchmark::State& state) {
    Site site;
    site.name = "MADRID";
    site.kind = state.range(0) == 0 ? SiteKind::Sphere : SiteKind::Ellipsoid;
    site.lat_deg = 40.4;
    site.lon_deg = 356.32;
    const std::vector<PassObject> objects = catalogue(site);
    const unsigned threads = std::max(1U, std::thread::hardware_concurrency());
    std::size_t passes = 0;
    for (auto _ : state) {
        passes = 0;
        run_passes(objects, threads, [&](const PassObject&, const Site&, std::vector<Pass>& p) { passes += p.size(); });
    }
    state.counters["steps_per_second"] =
        benchmark::Counter(static_cast<double>(OBJECTS) * STEPS * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    state.counters["passes"] = static_cast<double>(passes);
}
BENCHMARK(catalogue_one_site)->Arg(0)->Arg(1)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

}  // namespace
