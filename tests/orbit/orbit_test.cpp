// Tests of ORBIT: the worked case, the derived rates against first-order
// theory, and the propagation against an independent double-precision
// Keplerian computation.
#include <cmath>

#include <gtest/gtest.h>

#include "orbit/orbit.hpp"
#include "time/addtim.hpp"
#include "time/montab.hpp"
#include "time/juldat.hpp"

namespace talik {
namespace {

constexpr double PI = 3.14159265358979323846;
const Single DTR = 0.017453292;

// Elements as ELMINP installs them (angles given in degrees).
ORBEL elements(const DATIM& epoch, double sma, double ecc, double incl, double raan, double argp, double manom,
               double smadt = 0.0, double raandt = 0.0, double argpdt = 0.0) {
    ORBEL el;
    el.EPOCH = epoch;
    el.SMA = sma;
    el.ECC = ecc;
    el.INCL = Single(incl) * DTR;
    el.RAAN = Single(raan) * DTR;
    el.ARGP = Single(argp) * DTR;
    el.MANOM = Single(manom) * DTR;
    el.SMADT = smadt;
    el.RAANDT = Single(raandt) * DTR;
    el.ARGPDT = Single(argpdt) * DTR;
    Single gst;
    JULDAT(el.EPOCHJ, gst, epoch);
    return el;
}

const DATIM EPOCH = {1995, 6, 15, 12, 0, 0};

ORBEL worked_case() { return elements(EPOCH, 6878.0, 0.02, 74.6, 100.0, 30.0, 45.0); }

struct State {
    Single R, DECL, RA, GST;
    Vec3 POS;
    double JDN = 0.0;
    ORBOUT out;
};

State orbit(const DATIM& dt, ORBEL& el) {
    State s;
    EXPECT_TRUE(ORBIT(dt, s.R, s.DECL, s.RA, s.POS, s.JDN, s.GST, s.out, el).converged);
    return s;
}

double deg(double rad) { return rad * 180.0 / PI; }

TEST(ORBIT, WorkedCaseAtTheEpochAndHalfAnHourLater) {
    ORBEL el = worked_case();
    State s = orbit(EPOCH, el);
    EXPECT_NEAR(s.POS[0], -1997.7, 0.05);
    EXPECT_NEAR(s.POS[1], 1238.0, 0.05);
    EXPECT_NEAR(s.POS[2], 6361.9, 0.05);
    EXPECT_NEAR(s.R, 6782.14, 0.005);
    EXPECT_NEAR(deg(s.DECL), 69.725, 5e-4);
    EXPECT_NEAR(deg(s.RA), 148.214, 5e-4);
    EXPECT_EQ(s.JDN, 2449884.0);

    // The y component is -6744.9497 (-6744.9498 in double throughout): the
    // quoted -6745.0 is -6744.95 rounded a second time.
    s = orbit(DATIM{1995, 6, 15, 12, 30, 0}, el);
    EXPECT_NEAR(s.POS[0], 1506.8, 0.05);
    EXPECT_NEAR(s.POS[1], -6745.0, 0.051);
    EXPECT_NEAR(s.POS[2], -1153.7, 0.05);
    EXPECT_NEAR(s.R, 7006.84, 0.005);
    EXPECT_NEAR(deg(s.DECL), -9.4770, 5e-5);
    EXPECT_NEAR(deg(s.RA), 282.593, 5e-4);
}

TEST(ORBIT, SetUpDerivesTheMeanMotionAndRates) {
    ORBEL el = worked_case();
    el.SMADT = -0.1;
    const State s = orbit(EPOCH, el);
    EXPECT_EQ(el.ORBSET, 1);
    EXPECT_NEAR(s.out[8], 3.8029, 5e-5);      // MMOT, deg/min
    EXPECT_NEAR(s.out[7], -2.4785, 5e-5);     // ARGPDT, deg/day
    EXPECT_NEAR(s.out[6], -2.0399, 5e-5);     // RAANDT, deg/day
    EXPECT_NEAR(s.out[10], 8.2981e-5, 5e-9);  // MMOTDT, deg/min per day
    EXPECT_EQ(s.out[8], Single(el.MMOT / DTR));
    EXPECT_EQ(s.out[9], Single(-0.1));
}

// First-order J2 theory, a second way to the same rates: the higher-order
// terms add a fraction of a percent of the J2 rate's scale (they dominate
// the perigee rate near the critical inclination, where it nearly
// vanishes).
TEST(ORBIT, DerivedRatesAgreeWithFirstOrderTheory) {
    for (double incl : {10.0, 45.0, 63.4, 74.6, 98.0, 140.0}) {
        for (double ecc : {0.0, 0.01, 0.1}) {
            ORBEL el = elements(EPOCH, 7000.0, ecc, incl, 0.0, 0.0, 0.0);
            const State s = orbit(EPOCH, el);
            const double n = std::sqrt(398599.0 / std::pow(7000.0, 3)) * 86400.0;  // rad/day
            const double p = 7000.0 * (1 - ecc * ecc) / 6378.16;
            const double k = 1.5 * n * 0.001082628 / (p * p);
            const double ci = std::cos(incl * PI / 180.0);
            const double raandt = deg(-k * ci);
            const double argpdt = deg(0.5 * k * (5 * ci * ci - 1));
            const double slack = 0.003 * deg(k);
            EXPECT_NEAR(s.out[6], raandt, 0.01 * std::fabs(raandt) + slack) << incl << " " << ecc;
            EXPECT_NEAR(s.out[7], argpdt, 0.01 * std::fabs(argpdt) + slack) << incl << " " << ecc;
            EXPECT_NEAR(s.out[8] * 1440.0 / 360.0, n / (2 * PI), 0.01 * n / (2 * PI)) << incl << " " << ecc;
        }
    }
}

TEST(ORBIT, RatesGivenByTheElementSetAreKept) {
    ORBEL el = elements(EPOCH, 6878.0, 0.02, 74.6, 100.0, 30.0, 45.0, 0.0, 1e-7, -3.5);
    State s = orbit(EPOCH, el);
    EXPECT_EQ(el.RAANDT, Single(Single(1e-7) * DTR));
    EXPECT_EQ(el.ARGPDT, Single(Single(-3.5) * DTR));
    EXPECT_NEAR(s.out[6], 1e-7, 1e-13);
    EXPECT_NEAR(s.out[7], -3.5, 1e-6);
    // Ten days on, the node and perigee have moved at those rates.
    s = orbit(DATIM{1995, 6, 25, 12, 0, 0}, el);
    EXPECT_NEAR(s.out[4], 100.0 + 1e-6, 1e-4);
    EXPECT_NEAR(s.out[3], 30.0 - 35.0, 1e-4);
}

TEST(ORBIT, AtTheEpoch) {
    ORBEL el = elements(EPOCH, 6878.0, 0.02, 74.6, 100.0, 30.0, 45.0, -0.1);
    const State s = orbit(EPOCH, el);
    EXPECT_EQ(s.out[0], Single(6878.0));
    EXPECT_EQ(s.out[1], Single(0.02));
    EXPECT_EQ(s.out[2], Single(el.INCL / DTR));
    EXPECT_EQ(s.out[3], Single(el.ARGP / DTR));
    EXPECT_EQ(s.out[4], Single(el.RAAN / DTR));
    EXPECT_NEAR(s.out[5], 45.0, 1e-5);
    EXPECT_NEAR(s.out[11], 0.98 * 6878.0 - 6378.16, 1e-3);
    EXPECT_NEAR(s.out[12], 1.02 * 6878.0 - 6378.16, 1e-3);
}

TEST(ORBIT, PerigeeOnTheVernalEquinoxAtTheEpoch) {
    ORBEL el = elements(EPOCH, 6878.0, 0.02, 74.6, 0.0, 0.0, 0.0);
    const State s = orbit(EPOCH, el);
    EXPECT_EQ(s.POS[0], Single(6878.0 * (1.0 - Single(0.02))));
    EXPECT_EQ(s.POS[1], 0.0);
    EXPECT_EQ(s.POS[2], 0.0);
    EXPECT_EQ(s.R, s.POS[0]);
    EXPECT_EQ(s.DECL, 0.0);
    EXPECT_EQ(s.RA, 0.0);
}

TEST(ORBIT, BeforeTheEpochTheMeanAnomalyKeepsItsSign) {
    ORBEL el = elements(EPOCH, 6878.0, 0.02, 74.6, 100.0, 30.0, 10.0);
    const State s = orbit(DATIM{1995, 6, 14, 12, 0, 0}, el);
    EXPECT_LT(s.out[5], 0.0);
    EXPECT_GT(s.out[5], -360.0);
    EXPECT_GT(s.out[4], 100.0);  // the node turns westward, so it stood further east before
}

TEST(ORBIT, CircularOrbitKeepsItsRadius) {
    ORBEL el = elements(EPOCH, 7200.0, 0.0, 51.6, 20.0, 0.0, 0.0);
    MONLEN monlen;
    MONTAB(EPOCH, monlen);
    DATIM dt = EPOCH;
    for (int i = 0; i < 2000; ++i) {
        const State s = orbit(dt, el);
        ASSERT_NEAR(s.R, 7200.0, 7200.0 * 2e-7);
        ASSERT_EQ(s.out[11], s.out[12]);
        ADDTIM(dt, 7, 13, monlen);
    }
}

TEST(ORBIT, ASecondCallForTheSameTimeRepeatsTheFirst) {
    ORBEL el = worked_case();
    el.SMADT = -0.3;
    const DATIM dt{1995, 7, 2, 3, 4, 5};
    const State a = orbit(dt, el);
    const ORBEL after = el;
    const State b = orbit(dt, el);
    EXPECT_EQ(a.POS, b.POS);
    EXPECT_EQ(a.R, b.R);
    EXPECT_EQ(a.DECL, b.DECL);
    EXPECT_EQ(a.RA, b.RA);
    EXPECT_EQ(a.GST, b.GST);
    EXPECT_EQ(a.out, b.out);
    EXPECT_EQ(el.MMOTDT, after.MMOTDT);
    EXPECT_EQ(el.MMOT, after.MMOT);
}

TEST(ORBIT, SetUpRunsOnlyOnce) {
    ORBEL el = worked_case();
    orbit(EPOCH, el);
    const Single mmot = el.MMOT;
    el.SMA = 8000.0;  // a later change of the record does not redo the set-up
    el.RAANDT = 0.0;
    const State s = orbit(EPOCH, el);
    EXPECT_EQ(el.MMOT, mmot);
    EXPECT_EQ(el.RAANDT, 0.0);
    EXPECT_EQ(s.out[6], 0.0);
}

TEST(ORBIT, WithoutDecayTheMeanMotionRateStaysZero) {
    ORBEL el = worked_case();
    const State s = orbit(DATIM{1996, 1, 1, 0, 0, 0}, el);
    EXPECT_EQ(el.MMOTDT, 0.0);
    EXPECT_EQ(s.out[10], 0.0);
    EXPECT_EQ(s.out[0], Single(6878.0));
}

// The position by a second route: the elements advanced in double, Kepler's
// equation by bisection, the rotation as a matrix and the true anomaly by
// atan2.  ORBIT keeps the time, the mean anomaly and the angles in single
// precision, which at a mean anomaly of some hundred radians is worth some
// tens of metres.
TEST(ORBIT, FollowsAnIndependentKeplerianComputation) {
    ORBEL el = elements(EPOCH, 6878.0, 0.05, 74.6, 100.0, 30.0, 45.0, -0.2);
    orbit(EPOCH, el);  // the set-up
    MONLEN monlen;
    MONTAB(EPOCH, monlen);
    DATIM dt = EPOCH;
    for (int i = 0; i < 3 * 1440; ++i) {
        const State s = orbit(dt, el);
        const double td = (s.JDN - el.EPOCHJ) + ((dt[HOUR] - 12) * 3600.0 + dt[MINUTE] * 60.0 + dt[SECOND]) / 86400.0;
        const double tm = td * 1440.0;
        const double a = el.SMA + el.SMADT * td;
        const double M = el.MANOM + el.MMOT * tm + 0.5 * el.MMOTDT * td * tm;
        const double node = el.RAAN + el.RAANDT * td;
        const double argp = el.ARGP + el.ARGPDT * td;
        const double e = el.ECC;
        double lo = M - 1.0, hi = M + 1.0;
        for (int k = 0; k < 200; ++k) {
            const double mid = 0.5 * (lo + hi);
            (mid - e * std::sin(mid) < M ? lo : hi) = mid;
        }
        const double E = 0.5 * (lo + hi);
        const double nu = std::atan2(std::sqrt(1 - e * e) * std::sin(E), std::cos(E) - e);
        const double r = a * (1 - e * std::cos(E));
        const double u = argp + nu, ci = std::cos(el.INCL), si = std::sin(el.INCL);
        const double want[3] = {r * (std::cos(node) * std::cos(u) - std::sin(node) * std::sin(u) * ci),
                                r * (std::sin(node) * std::cos(u) + std::cos(node) * std::sin(u) * ci),
                                r * std::sin(u) * si};
        for (int k = 0; k < 3; ++k) ASSERT_NEAR(s.POS[static_cast<std::size_t>(k)], want[k], 0.2) << i << " " << k;
        ASSERT_NEAR(s.R, r, 0.02) << i;
        ASSERT_NEAR(s.out[0], a, 1e-3);
        ADDTIM(dt, 1, 0, monlen);
    }
}

}  // namespace
}  // namespace talik
