// Cost of the prediction step shared by talik and its companions, in
// transcendental-call equivalents: the step of a low orbit seen from
// MADRID every minute, as talik's loop makes it (BM_predict_step), against
// a yardstick of sin, cos and atan2 calls on arguments of the same spread
// (BM_yardstick).  bench/compare_passes.sh divides the two in one sitting.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>

#include "predict/revolution_counter.hpp"
#include "predict/step.hpp"
#include "time/addtim.hpp"
#include "time/montab.hpp"

namespace {

using namespace talik;

// examples/leo-madrid.deck's satellite, as run_bench.sh's largest run.
ElementSet leo() {
    ElementSet s;
    s.EPOCH = {2024, 1, 9, 12, 0, 0};
    s.NREV0 = 1000;
    s.SMA = 6878.0;
    s.ECC = 0.001;
    s.INCL = 51.6;
    s.RAAN = 100.0;
    s.ARGP = 30.0;
    s.MANOM = 45.0;
    s.SMADT = -0.05;
    s.MMOTION = 15.22;
    return s;
}

constexpr std::int32_t STEPS_PER_PASS = 99999;  // then back to the start, as a run would
constexpr int MADRID = 6;

void BM_predict_step(benchmark::State& state) {
    const DATIM start = {2024, 1, 10, 0, 0, 0};
    std::int32_t nrev = 0;
    RunState run = prepare_run(leo(), prepare_station(MADRID), start, nrev);
    DATIM now = start;
    MONLEN monlen;
    MONTAB(now, monlen);
    RevolutionCounter revolutions(nrev);
    Step step;
    std::int32_t k = 0;
    for (auto _ : state) {
        predict_step(run, now, step);
        benchmark::DoNotOptimize(revolutions.count(step.GLAT));
        benchmark::DoNotOptimize(step);
        ADDTIM(now, 1, 0, monlen);
        if (++k == STEPS_PER_PASS) {
            k = 0;
            now = start;
            MONTAB(now, monlen);
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_predict_step);

// One sin, one cos and one atan2 a round, on angles across several turns
// and ratios of both signs; items are calls.
void BM_yardstick(benchmark::State& state) {
    constexpr std::size_t N = 1024;
    std::array<double, N> x{};
    std::array<double, N> y{};
    for (std::size_t i = 0; i < N; ++i) {
        x[i] = -20.0 + 40.0 * static_cast<double>(i * 617 % N) / N;
        y[i] = -3.0 + 6.0 * static_cast<double>(i * 331 % N) / N;
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::sin(x[i]));
        benchmark::DoNotOptimize(std::cos(y[i]));
        benchmark::DoNotOptimize(std::atan2(y[i], x[i]));
        i = (i + 1) % N;
    }
    state.SetItemsProcessed(3 * state.iterations());
}
BENCHMARK(BM_yardstick);

}  // namespace
