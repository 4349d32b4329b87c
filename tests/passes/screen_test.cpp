// The screened scan against the exhaustive one (the reference) over a
// generated catalogue: low, eccentric, retrograde, high, geostationary and
// decaying orbits, every station and sites on the sphere and the ellipsoid,
// fine and coarse steps (short passes between steps), windows away from the
// epoch and starting anywhere in a pass.  Every pass the same, field by field.

#include <gtest/gtest.h>

#include <vector>

#include "passes/find_passes.hpp"
#include "passes/object_orbit.hpp"
#include "passes/screen.hpp"
#include "passes/view.hpp"
#include "time/model_calendar.hpp"

namespace talik {
namespace {

struct Orbit {
    double sma, ecc, incl, argp, smadt;
};

const Orbit ORBITS[] = {
    {6778.0, 0.0005, 51.6, 30.0, -0.05},  // space-station-like, decaying
    {7078.0, 0.001, 97.8, 90.0, 0.0},     // sun-synchronous, retrograde
    {6678.0, 0.002, 28.5, 0.0, -0.5},     // low and decaying fast
    {7500.0, 0.1, 120.0, 200.0, 0.0},     // eccentric and retrograde
    {9000.0, 0.2, 40.0, 10.0, 0.0},       // eccentric
    {26600.0, 0.74, 63.4, 270.0, 0.0},    // Molniya
    {26560.0, 0.01, 55.0, 0.0, 0.0},      // navigation
    {42164.0, 0.0003, 0.05, 0.0, 0.0},    // geostationary
    {7000.0, 0.001, 0.5, 0.0, 0.0},       // nearly equatorial
};

struct Window {
    double days_after_epoch;
    std::int32_t step, count;
};

// A day at 20 s from near the epoch; a day at 150 s, whose passes are
// often between steps; half a day at 30 s a month after the epoch.
const Window WINDOWS[] = {{0.3, 20, 4321}, {1.1, 150, 577}, {30.7, 30, 1441}};

std::vector<Site> sites() {
    std::vector<Site> out;
    for (int n = 1; n <= STATAB::COUNT; ++n) {
        Site s;
        s.kind = SiteKind::Station;
        s.station = n;
        s.name = station_name(n);
        out.push_back(s);
    }
    const Site more[] = {{"cape", SiteKind::Sphere, 0, -33.9, 18.4, 0.0, 0.0},
                         {"pole", SiteKind::Sphere, 0, 89.0, 0.0, 0.0, 5.0},
                         {"hill", SiteKind::Ellipsoid, 0, 40.0, 356.0, 1.0, 10.0},
                         {"south", SiteKind::Ellipsoid, 0, -70.0, 200.0, 0.0, 0.0}};
    out.insert(out.end(), std::begin(more), std::end(more));
    return out;
}

PassObject object(const Orbit& o, const Window& w, int i) {
    PassObject p;
    p.label = "object " + std::to_string(i);
    p.source = "generated";
    ElementSet& e = p.elements;
    e.EPOCH = {2024, 3, 1, 6, 30, 0};
    e.NREV0 = 5000;
    e.SMA = o.sma;
    e.ECC = o.ecc;
    e.INCL = o.incl;
    e.RAAN = 37.0 * i;
    e.ARGP = o.argp;
    e.MANOM = 53.0 * i;
    e.SMADT = o.smadt;
    e.MMOTION = 15.0;
    const auto after = static_cast<std::int64_t>(w.days_after_epoch * SECONDS_PER_DAY_WHOLE);
    p.scan = Scan{model_seconds(e.EPOCH) + after, w.step, w.count, true};
    p.sites = sites();
    return p;
}

void expect_same(const Pass& a, const Pass& b, const std::string& where) {
    EXPECT_EQ(a.site, b.site) << where;
    EXPECT_EQ(a.rev, b.rev) << where;
    EXPECT_EQ(a.aos, b.aos) << where;
    EXPECT_EQ(a.tca, b.tca) << where;
    EXPECT_EQ(a.los, b.los) << where;
    EXPECT_EQ(a.aos_az_deg, b.aos_az_deg) << where;
    EXPECT_EQ(a.tca_el_deg, b.tca_el_deg) << where;
    EXPECT_EQ(a.tca_az_deg, b.tca_az_deg) << where;
    EXPECT_EQ(a.tca_range_km, b.tca_range_km) << where;
    EXPECT_EQ(a.los_az_deg, b.los_az_deg) << where;
    EXPECT_EQ(a.sunlit_fraction, b.sunlit_fraction) << where;
    EXPECT_EQ(a.marks, b.marks) << where;
    EXPECT_EQ(a.flags(), b.flags()) << where;
}

TEST(Screen, ScreenedScanFindsTheExhaustiveScansPasses) {
    int pairs = 0;
    int screened = 0;
    std::size_t passes = 0;
    int cut = 0;  // passes at a window's edge
    int i = 0;
    for (const Window& w : WINDOWS) {
        for (const Orbit& o : ORBITS) {
            const PassObject p = object(o, w, ++i);
            const auto fast = find_object_passes(p, Scanning::Screened);
            const auto reference = find_object_passes(p, Scanning::Exhaustive);
            ObjectOrbit orbit(p);
            for (std::size_t s = 0; s < p.sites.size(); ++s) {
                const std::string where = p.label + " over " + p.sites[s].name;
                ++pairs;
                const View view(p.sites[s], orbit);
                screened += make_screen(p, p.sites[s], view.station(), view.ellipsoid(), orbit.orbel()).has_value();
                ASSERT_EQ(fast[s].size(), reference[s].size()) << where;
                for (std::size_t k = 0; k < fast[s].size(); ++k) expect_same(fast[s][k], reference[s][k], where);
                passes += reference[s].size();
                for (const Pass& r : reference[s]) cut += r.starts_before_window || r.ends_after_window;
            }
        }
    }
    EXPECT_GT(passes, 900U);
    EXPECT_GT(cut, 10);
    EXPECT_GT(screened, pairs * 3 / 4) << screened << " of " << pairs;  // the bound is proven for most of them
}

TEST(Screen, DecksAndBackwardScansKeepEveryStep) {
    PassObject p = object(ORBITS[0], WINDOWS[0], 1);
    ObjectOrbit orbit(p);
    const View view(p.sites[5], orbit);
    const auto screen = [&] { return make_screen(p, p.sites[5], view.station(), view.ellipsoid(), orbit.orbel()); };
    EXPECT_TRUE(screen().has_value());
    p.scan.between_steps = false;  // a deck's scan
    EXPECT_FALSE(screen().has_value());
    p.scan.between_steps = true;
    p.scan.step = -20;
    EXPECT_FALSE(screen().has_value());
    p.scan.step = 20;
    p.scan.start += 200 * SECONDS_PER_DAY_WHOLE;  // where the model's time no
                                                  // longer holds every second
    EXPECT_FALSE(screen().has_value());
}

}  // namespace
}  // namespace talik
