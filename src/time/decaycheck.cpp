// decay_problem - check that the orbit stays followable over the whole run.
//
// Given:
//    orbel        ORBEL      element record as ELMINP installed it (EPOCH,
//                            EPOCHJ, SMA, ECC, SMADT are used)
//    dt           DATIM      date-time of the run's first step, UT
//    span_seconds int64      from the first to the last step, s (any sign)
// Returned:
//    (value)      string     "" when the orbit stays followable, else why
//                            not, naming the rate of the semi-major axis
//
// Notes:
//    The semi-major axis changes linearly with time, so the run's first and
//    last steps are its extremes.  Times are counted from the epoch as the
//    propagator counts them, here in double: a value within a rounding of a
//    limit may go either way, and the limits are far from any real orbit.
#include <cstdio>

#include "time/datecheck.hpp"
#include "time/juldat.hpp"

namespace talik {

namespace {

std::string km(double x) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.1f km", x);
    return buf;
}

}  // namespace

std::string decay_problem(const ORBEL& orbel, const DATIM& dt, std::int64_t span_seconds) {
    double jdn = 0.0;
    Single gst;
    JULDAT(jdn, gst, dt);
    const double first = (((jdn - orbel.EPOCHJ) * 24.0 + (dt[HOUR] - orbel.EPOCH[HOUR])) * 60.0 +
                          (dt[MINUTE] - orbel.EPOCH[MINUTE])) *
                             60.0 +
                         (dt[SECOND] - orbel.EPOCH[SECOND]);
    const double days[2] = {first / 86400.0, (first + static_cast<double>(span_seconds)) / 86400.0};
    const char* const when[2] = {" by the first step", " by the last step"};
    const std::string rate = "rate of the semi-major axis " + shortest(orbel.SMADT) + " km/day";
    for (int i = 0; i < 2; ++i) {
        const double a = orbel.SMA + orbel.SMADT * days[i];
        const double perigee = (1.0 - orbel.ECC) * a;
        if (!(a > 0.0)) {
            return rate + " brings the semi-major axis to " + km(a) + when[i] +
                   "; the perigee must stay at least 100 km from the Earth's centre";
        }
        if (!(perigee >= PERIGEE_MIN)) {
            return rate + " brings the perigee to " + km(perigee) + " from the Earth's centre" + when[i] +
                   "; it must stay at least 100 km from it";
        }
        if (!(a < SMA_MAX)) {
            return rate + " brings the semi-major axis to " + km(a) + when[i] + "; it must stay below 1000000 km";
        }
    }
    return "";
}

}  // namespace talik
