// The pass finder: coarse steps find the passes fine steps find, a window's
// part of a pass is listed and flagged, a backward run finds the forward
// one's passes, pre-filter cuts lie inside the uncut passes, and the
// parallel runner keeps its order.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "passes/find_passes.hpp"
#include "time/iso_datim.hpp"
#include "time/model_calendar.hpp"
#include "passes/run_passes.hpp"

namespace talik {
namespace {

// examples/leo-madrid.deck's satellite, or one as high as sma (km).
ElementSet leo(double sma = 6878.0) {
    ElementSet s;
    s.EPOCH = {1995, 6, 14, 12, 0, 0};
    s.NREV0 = 12345;
    s.SMA = sma;
    s.ECC = 0.001;
    s.INCL = 51.6;
    s.RAAN = 100.0;
    s.ARGP = 30.0;
    s.MANOM = 45.0;
    s.SMADT = -0.05;
    s.MMOTION = 15.22;
    return s;
}

const std::int64_t START = model_seconds({1995, 6, 15, 0, 0, 0});

Site sphere_site(double lat, double lon, double min_el = 0.0, SiteKind kind = SiteKind::Sphere) {
    Site s;
    s.name = "site";
    s.kind = kind;
    s.lat_deg = lat;
    s.lon_deg = lon;
    s.min_elevation_deg = min_el;
    return s;
}

Site station(int n) {
    Site s;
    s.name = "station";
    s.kind = SiteKind::Station;
    s.station = n;
    return s;
}

std::vector<Pass> passes(const Site& site, std::int64_t start, std::int32_t step, std::int32_t count,
                         bool between = true, double sma = 6878.0) {
    PassObject o;
    o.label = "leo";
    o.source = "test";
    o.elements = leo(sma);
    o.scan = Scan{start, step, count, between};
    o.sites = {site};
    return find_passes(o, o.sites[0]);
}

TEST(FindPasses, CoarseStepsMissNoPass) {
    const Site sites[] = {sphere_site(40.4, 356.32), sphere_site(40.4, 356.32, 10.0),
                          sphere_site(-33.9, 18.4, 0.0, SiteKind::Ellipsoid),
                          sphere_site(60.0, 200.0, 5.0, SiteKind::Ellipsoid)};
    for (const Site& site : sites) {
        const auto fine = passes(site, START, 5, 2 * 86400 / 5 + 1);
        const auto coarse = passes(site, START, 400, 2 * 86400 / 400 + 1);
        ASSERT_GE(fine.size(), 5U);
        ASSERT_EQ(coarse.size(), fine.size()) << site.min_elevation_deg;
        for (std::size_t i = 0; i < fine.size(); ++i) {
            EXPECT_NEAR(coarse[i].aos, fine[i].aos, 1) << i;
            EXPECT_NEAR(coarse[i].los, fine[i].los, 1) << i;
            EXPECT_NEAR(coarse[i].tca, fine[i].tca, 10) << i;
            EXPECT_NEAR(coarse[i].tca_el_deg, fine[i].tca_el_deg, 0.01) << i;
            EXPECT_NEAR(coarse[i].tca_range_km, fine[i].tca_range_km, 1.0) << i;
            EXPECT_LE(coarse[i].aos, coarse[i].tca);
            EXPECT_LE(coarse[i].tca, coarse[i].los);
            EXPECT_GE(coarse[i].tca_el_deg, site.min_elevation_deg);
            EXPECT_FALSE(coarse[i].starts_before_window || coarse[i].ends_after_window || coarse[i].filter_cut);
        }
    }
}

TEST(FindPasses, PartOfAPassInTheWindowIsListedAndFlagged) {
    const Site site = sphere_site(40.4, 356.32);
    const auto all = passes(site, START, 20, 86400 / 20 + 1);
    ASSERT_FALSE(all.empty());
    const Pass& p = all[1];
    const std::int64_t rise = p.aos / TENTHS + 30;
    const std::int64_t top = p.tca / TENTHS - 30;
    // Only the rising part: the culmination is the window's end.
    const auto part = passes(site, rise, 7, static_cast<std::int32_t>((top - rise) / 7 + 1));
    ASSERT_EQ(part.size(), 1U);
    EXPECT_TRUE(part[0].starts_before_window && part[0].ends_after_window);
    EXPECT_EQ(part[0].aos, rise * TENTHS);
    EXPECT_EQ(part[0].tca, part[0].los);
    EXPECT_LT(part[0].tca_el_deg, p.tca_el_deg);
    // Only the setting part: the culmination is the window's start.
    const std::int64_t set = p.los / TENTHS - 30;
    const auto tail = passes(site, top + 60, 20, static_cast<std::int32_t>((set - top - 60) / 20 + 1));
    ASSERT_EQ(tail.size(), 1U);
    EXPECT_EQ(tail[0].tca, tail[0].aos);
}

TEST(FindPasses, BackwardFindsTheForwardPasses) {
    for (const int n : {6, 3, 1}) {
        const auto forward = passes(station(n), START, 60, 2000, false);
        const auto backward = passes(station(n), START + 1999 * 60, -60, 2000, false);
        ASSERT_EQ(forward.size(), backward.size()) << n;
        for (std::size_t i = 0; i < forward.size(); ++i) {
            EXPECT_EQ(forward[i].aos, backward[i].aos) << n << " " << i;
            EXPECT_EQ(forward[i].los, backward[i].los) << n << " " << i;
            EXPECT_EQ(forward[i].starts_before_window, backward[i].starts_before_window);
            EXPECT_EQ(forward[i].marks, backward[i].marks) << n << " " << i;
        }
    }
}

TEST(FindPasses, PreFilterCutsLieInsideTheHorizonsPasses) {
    // SUGADAIRA (longitude pre-filter) and SYOWA (latitude) against the same
    // places on the sphere, examined always; an orbit high enough for the
    // horizon to reach beyond the pre-filters.
    constexpr double HIGH = 12000.0;
    const struct {
        int station;
        double lat, lon;
    } cases[] = {{1, 36.517, 138.317}, {4, -69.0008, 39.585}};
    for (const auto& c : cases) {
        const auto cut = passes(station(c.station), START, 30, 2 * 2880, false, HIGH);
        const auto whole = passes(sphere_site(c.lat, c.lon), START, 30, 2 * 2880, false, HIGH);
        int flagged = 0;
        for (const Pass& p : cut) {
            const auto in = std::find_if(whole.begin(), whole.end(),
                                         [&](const Pass& w) { return w.aos <= p.aos + 1 && p.los <= w.los + 1; });
            ASSERT_NE(in, whole.end()) << c.station;
            if (p.filter_cut) {
                ++flagged;
                EXPECT_TRUE(p.aos > in->aos + 10 || p.los + 10 < in->los) << c.station;
            }
        }
        EXPECT_GT(flagged, 0) << c.station;
    }
}

TEST(RunPasses, OrderAndResultsDoNotDependOnThreads) {
    std::vector<PassObject> objects;
    for (int i = 0; i < 6; ++i) {
        PassObject o;
        o.label = "leo" + std::to_string(i);
        o.elements = leo();
        o.elements.MANOM = 45.0 + 60.0 * i;
        o.scan = Scan{START, 60, 1440, true};
        o.sites = {station(6), sphere_site(-20.0, 30.0 * i)};
        objects.push_back(o);
    }
    std::vector<std::string> order[2];
    std::vector<std::int64_t> times[2];
    for (const unsigned threads : {1U, 3U}) {
        const int k = threads == 1 ? 0 : 1;
        run_passes(objects, threads, [&](const PassObject& o, const Site& s, std::vector<Pass>& ps) {
            order[k].push_back(o.label + "/" + s.name);
            for (const Pass& p : ps) times[k].push_back(p.aos);
        });
    }
    EXPECT_EQ(order[0], order[1]);
    EXPECT_EQ(order[0].front(), "leo0/station");
    EXPECT_EQ(order[0].back(), "leo5/site");
    EXPECT_EQ(times[0], times[1]);
}

}  // namespace
}  // namespace talik
