// Speed of the propagator: one ORBIT call per one-minute step of the
// worked-case orbit (6878 km, e 0.02, 74.6 deg, no decay), as the
// prediction loop makes them, and the same orbit with a decaying
// semi-major axis.  The walk goes back to the epoch after a week so that the
// mean anomaly stays in the range a run sees.
#include <benchmark/benchmark.h>

#include "orbit/kepler.hpp"
#include "orbit/orbit.hpp"
#include "time/addtim.hpp"
#include "time/montab.hpp"
#include "time/juldat.hpp"

namespace {

using namespace talik;

ORBEL worked_case(const DATIM& epoch, double smadt) {
    const Single DTR = 0.017453292;
    ORBEL el;
    el.EPOCH = epoch;
    el.SMA = 6878.0;
    el.ECC = 0.02;
    el.INCL = Single(74.6) * DTR;
    el.RAAN = Single(100.0) * DTR;
    el.ARGP = Single(30.0) * DTR;
    el.MANOM = Single(45.0) * DTR;
    el.SMADT = smadt;
    Single gst;
    JULDAT(el.EPOCHJ, gst, epoch);
    return el;
}

void BM_ORBIT(benchmark::State& state) {
    const DATIM epoch = {1995, 6, 15, 12, 0, 0};
    ORBEL el = worked_case(epoch, static_cast<double>(state.range(0)) / 10.0);
    MONLEN monlen;
    MONTAB(epoch, monlen);
    DATIM dt = epoch;
    Single R, DECL, RA, GST;
    Vec3 POS;
    double JDN = 0.0;
    ORBOUT orbout;
    int steps = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ORBIT(dt, R, DECL, RA, POS, JDN, GST, orbout, el));
        benchmark::DoNotOptimize(POS);
        benchmark::DoNotOptimize(orbout);
        ADDTIM(dt, 1, 0, monlen);
        if (++steps == 7 * 1440) {
            steps = 0;
            dt = epoch;
            MONTAB(epoch, monlen);
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ORBIT)->Arg(0)->Arg(-1);  // SMADT 0 and -0.1 km/day

void BM_KEPLER(benchmark::State& state) {
    Single G = 0.1;
    Single EE;
    for (auto _ : state) {
        benchmark::DoNotOptimize(KEPLER(G, 0.02, EE));
        benchmark::DoNotOptimize(EE);
        G = G + 0.0661;
        if (G > 700.0) G = 0.1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_KEPLER);

}  // namespace
