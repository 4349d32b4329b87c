// The station table: its stored blocks, names and look-up checked against
// the README's table of stations (a second, independent source), and its
// pre-filters at work.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "predict/look_angles.hpp"
#include "predict/station.hpp"
#include "predict/statab.hpp"

namespace talik {
namespace {

// The cells of a Markdown table row, trimmed.
std::vector<std::string> cells(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream in(line);
    std::string cell;
    std::getline(in, cell, '|');
    while (std::getline(in, cell, '|')) {
        const auto a = cell.find_first_not_of(" `");
        const auto b = cell.find_last_not_of(" `");
        out.push_back(a == std::string::npos ? "" : cell.substr(a, b - a + 1));
    }
    return out;
}

TEST(STATAB, AgreesWithTheReadmeTable) {
    std::ifstream readme(TALIK_SOURCE_DIR "/README.md");
    ASSERT_TRUE(readme) << "README.md";
    std::string line;
    int rows = 0;
    while (std::getline(readme, line)) {
        const auto c = cells(line);
        // | No. | Name | Latitude | Longitude | Examined only when | Low mark | High mark |
        if (c.size() < 7 || c[0].empty() || c[0].find_first_not_of("0123456789") != std::string::npos) continue;
        const int ista = std::stoi(c[0]);
        ASSERT_TRUE(ista >= 1 && ista <= STATAB::COUNT) << line;
        EXPECT_EQ(station_name(ista), c[1]);
        EXPECT_EQ(STATAB::STNAME(ista), c[1] + std::string(10 - c[1].size(), ' '));  // padded for 5A2
        EXPECT_EQ(STATAB::find(c[0]), ista);
        EXPECT_EQ(STATAB::find(c[1]), ista);
        EXPECT_EQ(STATAB::STLAT(ista).f(), std::strtof(c[2].c_str(), nullptr)) << c[1];
        EXPECT_EQ(STATAB::STLON(ista).f(), std::strtof(c[3].c_str(), nullptr)) << c[1];
        EXPECT_EQ(STATAB::low_mark(ista), c[5] + c[5]) << c[1];
        EXPECT_EQ(STATAB::high_mark(ista), c[6] + c[6]) << c[1];
        ++rows;
    }
    EXPECT_EQ(rows, STATAB::COUNT);
}

// Each station's pre-filter, tried at points around its edge.
TEST(STATAB, PreFiltersAtTheirEdges) {
    struct Probe {
        int ista;
        double glat, dlon;  // latitude, and longitude relative to the station
        bool examined;
    };
    const Probe probes[] = {
        {1, 0.0, 29.99, true},  {1, 0.0, 30.01, false},  {1, 80.0, -29.99, true}, {1, -80.0, -30.01, false},
        {2, 0.0, 29.9, true},   {2, 0.0, -30.1, false},  {3, 20.0, 180.0, true},  {3, 19.99, 0.0, false},
        {4, -20.0, 90.0, true}, {4, -19.99, 0.0, false}, {5, -90.0, 180.0, true}, {8, 0.0, -180.0, true},
    };
    for (const Probe& p : probes) {
        const Station st = prepare_station(p.ista);
        EXPECT_EQ(examined(st, p.glat, st.STLON + p.dlon), p.examined) << p.ista << " " << p.glat << " " << p.dlon;
    }
}

}  // namespace
}  // namespace talik
