// ALTLAT: worked cases, symmetry, and points built on the ellipsoid normal.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "geometry/altlat.hpp"

namespace talik {
namespace {

constexpr double DEG_EXACT = 3.14159265358979323846 / 180.0;
constexpr double RADIUS_KM = 6378.16;
constexpr double ECC2 = 0.0066934214;

TEST(Altlat, WorkedCases) {
    struct Case {
        float r, phic_deg;
        double hgt, hgt_tol, phif_deg, phif_tol;
    };
    const Case cases[] = {
        {7000.0F, 0.0F, 621.84, 1e-3, 0.0, 0.0},
        {7000.0F, 45.0F, 632.554, 1e-3, 44.9826, 5e-5},
        {8000.0F, 30.0F, 1627.200, 1e-3, 29.9661, 5e-5},
        {7000.0F, 89.9F, 643.22, 5e-3, 89.9, 1e-3},
    };
    for (const auto& c : cases) {
        Single hgt, phif;
        ALTLAT(c.r, c.phic_deg * DEG_EXACT, hgt, phif);
        EXPECT_NEAR(hgt, c.hgt, c.hgt_tol) << c.r << " " << c.phic_deg;
        EXPECT_NEAR(phif / DEG_EXACT, c.phif_deg, c.phif_tol) << c.r << " " << c.phic_deg;
    }
}

// The prediction step reads only the latitude's sign where no line is
// written, and settles a latitude pre-filter from the declination: the
// foot's latitude keeps the declination's sign (also for -0, tiny and
// subnormal values, and below the ellipsoid), and above the equatorial
// radius never lies further from the equator.
TEST(Altlat, FootKeepsTheSignAndStaysNearerTheEquator) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> ur(6300.0, 45000.0);
    std::uniform_real_distribution<double> ulat(-1.5707, 1.5707);
    std::vector<double> lats = {0.0, -0.0, 1e-38, -1e-38, 1e-44, -1e-44, 1e-7, -1e-7, 0.349, -0.349};
    for (int i = 0; i < 3000; ++i) lats.push_back(ulat(rng));
    for (const double lat : lats) {
        const Single r = ur(rng);
        const Single phic = lat;
        Single hgt, phif;
        ALTLAT(r, phic, hgt, phif);
        EXPECT_EQ(phif < 0.0, phic < 0.0) << r << " " << lat;
        EXPECT_EQ(phif > 0.0, phic > 0.0) << r << " " << lat;
        if (r >= RADIUS_KM) {
            EXPECT_LE(std::fabs(phif), std::fabs(phic)) << r << " " << lat;
        }
    }
}

TEST(Altlat, NegativeLatitudesMirror) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> ur(6500.0, 45000.0);
    std::uniform_real_distribution<double> ulat(0.0, 1.5707);
    for (int i = 0; i < 2000; ++i) {
        const Single r = ur(rng), phic = ulat(rng);
        Single h1, p1, h2, p2;
        ALTLAT(r, phic, h1, p1);
        ALTLAT(r, -phic, h2, p2);
        EXPECT_EQ(h1.f(), h2.f()) << i;
        EXPECT_EQ(p1.f(), -p2.f()) << i;
    }
}

TEST(Altlat, PointOnTheEllipsoidHasNoHeight) {
    for (double deg = -89.0; deg <= 89.0; deg += 7.0) {
        const double psi = Single(deg * DEG_EXACT);
        const double c = std::cos(psi);
        const Single r = RADIUS_KM * std::sqrt((1.0 - ECC2) / (1.0 - ECC2 * c * c));
        Single hgt, phif;
        ALTLAT(r, psi, hgt, phif);
        EXPECT_NEAR(hgt, 0.0, 2e-3) << deg;
        EXPECT_NEAR(phif, psi, 2e-7) << deg;
    }
}

// A point h km along the normal at geodetic latitude phig: ALTLAT must give
// back h and the geocentric latitude of the foot of that normal.
TEST(Altlat, RecoversPointsBuiltOnTheNormal) {
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> ulat(-89.5, 89.5);
    std::uniform_real_distribution<double> uh(150.0, 3000.0);
    for (int i = 0; i < 3000; ++i) {
        const double phig = ulat(rng) * DEG_EXACT, h = uh(rng);
        const double n = RADIUS_KM / std::sqrt(1.0 - ECC2 * std::sin(phig) * std::sin(phig));
        const double fx = n * std::cos(phig), fz = n * (1.0 - ECC2) * std::sin(phig);
        const double x = fx + h * std::cos(phig), z = fz + h * std::sin(phig);
        Single hgt, phif;
        ALTLAT(std::hypot(x, z), std::atan2(z, x), hgt, phif);
        EXPECT_NEAR(hgt, h, 1e-3) << i;                                // 1 m
        EXPECT_NEAR(phif, std::atan2(fz, fx), 1e-3 / RADIUS_KM) << i;  // 1 m on the ground
    }
}

TEST(Altlat, PolesGiveTheLimit) {
    const double polar = Single(RADIUS_KM * std::sqrt(0.9933066F));
    EXPECT_NEAR(polar, 6356.78, 5e-3);
    const float half_pi = static_cast<float>(3.14159265358979323846 / 2.0);  // just beyond pi/2
    for (float r : {7000.0F, 6356.78F, 12000.0F}) {
        for (float phic : {half_pi, -half_pi, 2.0F, -1.6F}) {
            Single hgt, phif;
            ALTLAT(r, phic, hgt, phif);
            EXPECT_EQ(hgt.f(), Single(r - polar).f()) << r << " " << phic;
            EXPECT_EQ(phif.f(), phic) << r << " " << phic;
        }
        // The largest latitude below pi/2 still iterates, and lands next to the
        // limit.
        Single hgt, phif;
        ALTLAT(r, std::nextafter(half_pi, 0.0F), hgt, phif);
        EXPECT_NEAR(hgt, r - polar, 1e-3) << r;
        EXPECT_NEAR(phif, half_pi, 1e-6) << r;
    }
}

TEST(Altlat, ApproachesThePoleContinuously) {
    Single hpole, ppole;
    ALTLAT(7000.0, static_cast<float>(3.14159265358979323846 / 2.0), hpole, ppole);
    EXPECT_NEAR(hpole, 643.22, 5e-3);
    for (double deg : {89.9, 89.99, 89.999, 89.9999}) {
        Single hgt, phif;
        ALTLAT(7000.0, deg * DEG_EXACT, hgt, phif);
        EXPECT_FALSE(std::isnan(hgt.f()) || std::isnan(phif.f()));
        EXPECT_NEAR(hgt, hpole, 0.01 * (90.0 - deg) * 100.0 + 1e-3) << deg;
        EXPECT_LE(phif, deg * DEG_EXACT + 1e-7);
    }
}

}  // namespace
}  // namespace talik
