// A site's samples from the object's shared orbit are talik's steps: for
// every station and a site on the sphere, every step of two days of three
// orbits gives the elevation, the pass test, the range, the shadow and the
// antenna mark of predict_step (the plain step, ASPECT's antenna mark).

#include <gtest/gtest.h>

#include "passes/object_orbit.hpp"
#include "passes/view.hpp"
#include "predict/statab.hpp"
#include "time/model_calendar.hpp"

namespace talik {
namespace {

TEST(View, SamplesAreTaliksSteps) {
    const double smas[] = {6878.0, 7400.0, 26000.0};
    int in = 0;
    for (const double sma : smas) {
        PassObject o;
        o.elements.EPOCH = {2024, 6, 20, 0, 0, 0};
        o.elements.SMA = sma;
        o.elements.ECC = sma > 20000.0 ? 0.6 : 0.01;
        o.elements.INCL = sma > 7000.0 ? 98.0 : 51.6;
        o.elements.RAAN = 40.0;
        o.elements.ARGP = 270.0;
        o.elements.MMOTION = 15.0;
        o.scan = Scan{model_seconds({2024, 6, 20, 6, 0, 0}), 30, 5760, true};
        for (int n = 1; n <= STATAB::COUNT + 1; ++n) {
            Site site;
            site.kind = n <= STATAB::COUNT ? SiteKind::Station : SiteKind::Sphere;
            site.station = n;
            site.lat_deg = -12.0;
            site.lon_deg = 300.0;
            ObjectOrbit orbit(o);
            View view(site, orbit);
            std::int32_t nrev = 0;
            RunState state = prepare_run(o.elements, station_of(site), model_datim(o.scan.start), nrev);
            state.every_subpoint = true;
            for (std::int32_t k = 0; k < o.scan.count; ++k) {
                const std::int64_t t = o.scan.start + std::int64_t{k} * o.scan.step;
                const Sample s = view.at(t);
                const Step step = predict_step(state, model_datim(t));
                const Look plain = look_angles(state.station, step.R, step.DECL, step.GLON * DEGRAD);
                ASSERT_EQ(s.sin_el, -plain.CZ) << n << " " << k;
                ASSERT_EQ(s.range_km, plain.RANGE) << n << " " << k;
                ASSERT_EQ(s.filter_ok, step.examined) << n << " " << k;
                ASSERT_EQ(s.in, n <= STATAB::COUNT ? step.visible() : step.look.above_horizon) << n << " " << k;
                ASSERT_EQ(s.GLAT < 0.0, step.GLAT < 0.0) << n << " " << k;
                if (s.in) {
                    ++in;
                    ASSERT_EQ(s.antenna, step.ANTMK[0]) << n << " " << k;
                    ASSERT_EQ(s.lit, step.LIT) << n << " " << k;
                    ASSERT_EQ(s.az_deg, step.look.AZIM) << n << " " << k;
                }
            }
        }
    }
    EXPECT_GT(in, 2000);
}

}  // namespace
}  // namespace talik
