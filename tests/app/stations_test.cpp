// The station table: names, marks and coordinates of each row.

#include <gtest/gtest.h>

#include <string>

#include "app/stations.hpp"

namespace talik {
namespace {

struct Row {
    const char* name;
    float lat, lon;
    char lo, hi;
};

TEST(Stations, EveryRow) {
    const Row rows[] = {
        {"SUGADAIRA ", 36.517F, 138.317F, '*', 'S'}, {"UCHINOURA ", 31.25F, 131.079F, '+', 'U'},
        {"ESRANGE   ", 67.878F, 21.064F, ':', 'E'},  {"SYOWA     ", -69.0008F, 39.585F, '=', 'S'},
        {"FAIRBANKS ", 64.873F, 213.165F, '#', 'F'}, {"MADRID    ", 40.4F, 356.32F, '/', 'M'},
        {"OSAKA     ", 34.6F, 135.517F, '!', 'O'},   {"UCLA      ", 34.03F, 241.717F, '$', 'L'},
    };
    for (int ista = 1; ista <= STATAB::COUNT; ++ista) {
        const Row& r = rows[ista - 1];
        EXPECT_EQ(STATAB::STNAME(ista), r.name);
        EXPECT_EQ(STATAB::STLAT(ista).f(), r.lat);
        EXPECT_EQ(STATAB::STLON(ista).f(), r.lon);
        EXPECT_EQ(STATAB::mrklo(ista), std::string(2, r.lo));
        EXPECT_EQ(STATAB::mrkhi(ista), std::string(2, r.hi));
    }
}

TEST(Stations, PreFilters) {
    EXPECT_EQ(STATAB::filter(1), StationFilter::NearLongitude);
    EXPECT_EQ(STATAB::filter(2), StationFilter::NearLongitude);
    EXPECT_EQ(STATAB::filter(3), StationFilter::North20);
    EXPECT_EQ(STATAB::filter(4), StationFilter::South20);
    for (int ista = 5; ista <= 8; ++ista) {
        EXPECT_EQ(STATAB::filter(ista), StationFilter::Always);
    }
}

}  // namespace
}  // namespace talik
