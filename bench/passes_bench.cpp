// Speed of talik-passes' engine, on all cores as run_passes runs it, each
// case screened (the default) and exhaustive (the reference scan):
//  - catalogue_one_site: a generated catalogue of 2000 low orbits seen
//    from one site for 24 hours at 20 s (8.6 million steps), on the sphere
//    and on WGS-84; steps_per_second compares with the step rate of one
//    99999-step talik run (bench/run_bench.sh, case (a)), and so does
//    steps_per_cpu_second times the cores, which a machine shared with
//    other work leaves alone; run_memory_kib is how much the peak resident
//    memory grew during the run, past the catalogue itself (also for ten
//    times the objects);
//  - stations: 200 of those objects over MADRID alone and over all eight
//    stations; bench/compare_passes.sh divides the two times (wall clock
//    and processor).
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <thread>

#include "passes/run_passes.hpp"
#include "predict/statab.hpp"
#include "time/iso_datim.hpp"
#include "time/model_calendar.hpp"

namespace {

using namespace talik;

constexpr int CATALOGUE_OBJECTS = 2000;
constexpr int STATION_OBJECTS = 200;
constexpr std::int32_t STEP_S = 20;
constexpr std::int32_t STEPS = 86400 / STEP_S + 1;
constexpr int MADRID = 6;

// count low orbits from 300 to 1200 km, spread in inclination, node and
// anomaly by fixed strides so that every run sees the same catalogue.
std::vector<PassObject> catalogue(int count, const std::vector<Site>& sites) {
    std::vector<PassObject> objects;
    objects.reserve(static_cast<std::size_t>(count));
    const std::int64_t start = model_seconds({2024, 1, 10, 0, 0, 0});
    for (int i = 0; i < count; ++i) {
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
        o.sites = sites;
        objects.push_back(std::move(o));
    }
    return objects;
}

Scanning scanning(std::int64_t arg) { return arg == 0 ? Scanning::Screened : Scanning::Exhaustive; }

// Runs the objects on all cores; returns the passes found.
std::size_t run(const std::vector<PassObject>& objects, Scanning how) {
    const unsigned threads = std::max(1U, std::thread::hardware_concurrency());
    std::size_t passes = 0;
    run_passes(
        objects, threads, [&](const PassObject&, const Site&, std::vector<Pass>& p) { passes += p.size(); }, {}, how);
    return passes;
}

// The peak resident memory so far, KiB.
long peak_kib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The processor time of every thread so far, seconds.
double cpu_seconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + 1e-6 * t.tv_usec; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Arguments: site kind (0 sphere, 1 WGS-84), scanning (0 screened, 1
// exhaustive), objects.
void catalogue_one_site(benchmark::State& state) {
    Site site;
    site.name = "MADRID";
    site.kind = state.range(0) == 0 ? SiteKind::Sphere : SiteKind::Ellipsoid;
    site.lat_deg = 40.4;
    site.lon_deg = 356.32;
    const auto count = static_cast<int>(state.range(2));
    const std::vector<PassObject> objects = catalogue(count, {site});
    const long before_kib = peak_kib();
    const double before_cpu = cpu_seconds();
    std::size_t passes = 0;
    for (auto _ : state) passes = run(objects, scanning(state.range(1)));
    state.counters["steps_per_cpu_second"] = static_cast<double>(count) * STEPS *
                                             static_cast<double>(state.iterations()) / (cpu_seconds() - before_cpu);
    state.counters["steps_per_second"] = benchmark::Counter(
        static_cast<double>(count) * STEPS * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["passes"] = static_cast<double>(passes);
    state.counters["run_memory_kib"] = static_cast<double>(peak_kib() - before_kib);
}
BENCHMARK(catalogue_one_site)
    ->Args({0, 0, CATALOGUE_OBJECTS})
    ->Args({1, 0, CATALOGUE_OBJECTS})
    ->Args({0, 1, CATALOGUE_OBJECTS})
    ->Args({1, 1, CATALOGUE_OBJECTS})
    ->Args({0, 0, 10 * CATALOGUE_OBJECTS})
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

// Arguments: stations (1: MADRID, 8: all), scanning (0 screened, 1 exhaustive).
void stations(benchmark::State& state) {
    std::vector<Site> sites;
    for (int n = 1; n <= STATAB::COUNT; ++n) {
        if (state.range(0) == 1 && n != MADRID) continue;
        Site s;
        s.kind = SiteKind::Station;
        s.station = n;
        s.name = station_name(n);
        sites.push_back(s);
    }
    const std::vector<PassObject> objects = catalogue(STATION_OBJECTS, sites);
    const double before_cpu = cpu_seconds();
    std::size_t passes = 0;
    for (auto _ : state) passes = run(objects, scanning(state.range(1)));
    state.counters["passes"] = static_cast<double>(passes);
    state.counters["cpu_ms"] = 1e3 * (cpu_seconds() - before_cpu) / static_cast<double>(state.iterations());
}
BENCHMARK(stations)
    ->Args({1, 0})
    ->Args({8, 0})
    ->Args({1, 1})
    ->Args({8, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(1.0);

}  // namespace
