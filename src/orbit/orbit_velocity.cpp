// orbit_velocity - the rate of change of the propagator's position.
//
// Given:    orbel    ORBEL             the elements as ORBIT left them at DT
//           JDN      double            Julian day number of DT's date (JULDAT)
//           DT       DATIM             date-time, UT
// Returned: (value)  array<double, 3>  km/s, in the equatorial frame of
//                                      ORBIT's POS
//
// Notes:
//  - The position is the Keplerian ellipse of axis A at eccentric anomaly
//    E, turned by the node, the inclination and the argument of perigee.
//    Its rate: the anomaly's, dE/dt = (dM/dt) / (1 - e cos E) with dM/dt =
//    MMOT + MMOTDT t; the axis's, SMADT; and the turning of the node about
//    the pole and of the perigee about the orbit's normal.
//  - Worked out in double from the propagator's own stored state (the same
//    mean state and the same solution of Kepler's equation), so that the
//    rate is smooth where differences of single-precision positions jitter.
#include "orbit/orbit_velocity.hpp"

#include <cmath>

#include "numeric/constants.hpp"
#include "orbit/kepler.hpp"
#include "orbit/orbit.hpp"

namespace talik {

namespace {

using Vector = std::array<double, 3>;

Vector cross(const Vector& a, const Vector& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// Rz(node) * Rx(incl) * Rz(argp) applied to the plane vector (x, y, 0).
Vector turned(double x, double y, double argp, double node, double cincl, double sincl) {
    const double cw = std::cos(argp);
    const double sw = std::sin(argp);
    const double cn = std::cos(node);
    const double sn = std::sin(node);
    const double px = cw * x - sw * y;  // in the orbit's plane, from the node
    const double py = sw * x + cw * y;
    return {cn * px - sn * cincl * py, sn * px + cn * cincl * py, sincl * py};
}

}  // namespace

std::array<double, 3> orbit_velocity(const ORBEL& orbel, double JDN, const DATIM& DT) {
    const MeanState m = mean_state(orbel, JDN, DT);
    Single E;
    KEPLER(m.M, orbel.ECC, E);
    const double e = orbel.ECC;
    const double root = std::sqrt(1.0 - e * e);
    const double ce = std::cos(E);
    const double se = std::sin(E);
    const double mean_motion = (orbel.MMOT + orbel.MMOTDT * m.TM / MINUTES_PER_DAY) / SECONDS_PER_MINUTE;  // rad/s
    const double anomaly_rate = mean_motion / (1.0 - e * ce);
    const double axis_rate = orbel.SMADT / SECONDS_PER_DAY;  // km/s
    const double vx = -m.A * se * anomaly_rate + axis_rate * (ce - e);
    const double vy = m.A * root * ce * anomaly_rate + axis_rate * root * se;
    Vector v = turned(vx, vy, m.OMEGA, m.NODE, orbel.CINCL, orbel.SINCL);
    const Vector r = turned(m.A * (ce - e), m.A * root * se, m.OMEGA, m.NODE, orbel.CINCL, orbel.SINCL);
    const Vector pole{0.0, 0.0, 1.0};
    const double node = m.NODE;
    const Vector normal{std::sin(node) * orbel.SINCL, -std::cos(node) * orbel.SINCL, static_cast<double>(orbel.CINCL)};
    const Vector node_turn = cross(pole, r);
    const Vector perigee_turn = cross(normal, r);
    for (std::size_t i = 0; i < 3; ++i) {
        v[i] += orbel.RAANDT / SECONDS_PER_DAY * node_turn[i] + orbel.ARGPDT / SECONDS_PER_DAY * perigee_turn[i];
    }
    return v;
}

}  // namespace talik
