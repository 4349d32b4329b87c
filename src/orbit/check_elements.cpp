// check_element_set, check_decay - refuse what the propagator cannot follow.
//
// Given:    set     ElementSet  the set as read, in the deck's units
//                               (check_element_set)
//           start   DATIM       start date-time of the run, UT
//                               (check_element_set)
//           place   FieldPlace  where each field came from, by ElementField
//                               (check_element_set)
//           orbel   ORBEL       the installed record: EPOCH, EPOCHJ, SMA,
//                               ECC, SMADT (check_decay)
//           first   DATIM       the run's first step, UT (check_decay)
//           last    DATIM       the run's last step, UT (check_decay)
//           place   string      where the rate of the semi-major axis came
//                               from (check_decay)
// Thrown:   InputError          naming the field and the value, e.g.
//                               "eccentricity 1 is outside 0 <= e < 1"
//
// Notes:
//  - check_element_set refuses a bad epoch date-time, a value that is not
//    finite, a semi-major axis that is not positive, an eccentricity outside
//    0 <= e < 1, a rate beyond RATE_MAX, a perigee within PERIGEE_MIN of the
//    centre, an axis of SMA_MAX or more, an epoch more than EPOCH_DAYS_MAX
//    days from the start date, and a revolution number at the start too near
//    the 32-bit limit to count a run's revolutions on.
//  - check_decay refuses a decay that takes the perigee within PERIGEE_MIN
//    of the centre, or the axis to SMA_MAX, by the first or the last step.
//    It judges the semi-major axis the propagator computes there (it changes
//    linearly in time, so these are its extremes), with the propagator's own
//    time since the epoch.
#include "orbit/check_elements.hpp"

#include <cmath>
#include <cstdio>

#include "numeric/constants.hpp"
#include "orbit/install_elements.hpp"
#include "orbit/since_epoch.hpp"
#include "time/check_date.hpp"
#include "time/juldat.hpp"

namespace talik {

namespace {

const char* const REAL_NAMES[10] = {"semi-major axis",
                                    "eccentricity",
                                    "inclination",
                                    "right ascension of the ascending node",
                                    "argument of perigee",
                                    "mean anomaly",
                                    "rate of the semi-major axis",
                                    "rate of the right ascension of the ascending node",
                                    "rate of the argument of perigee",
                                    "mean motion"};

// The revolution number is a 32-bit integer; a run adds at most one per
// step, and has at most 99999 steps.
constexpr double INT32_RANGE = 2147483648.0;
constexpr double RUN_REVOLUTIONS_MAX = 100000.0;

// A limit in a message: "100", "1000000".
std::string limit(double x) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.0f", x);
    return buf;
}

std::string km(double x, const char* format) {
    char buf[48];
    std::snprintf(buf, sizeof buf, format, x);
    return buf;
}

void check_reals(const ElementSet& set, const FieldPlace& place) {
    const auto reals = set.reals();
    for (int field = EL_SMA; field <= EL_MMOTION; ++field) {
        const std::string at = place(field);
        const std::size_t i = static_cast<std::size_t>(field - EL_SMA);
        const Single value = reals[i];
        if (!std::isfinite(static_cast<double>(value))) {
            throw InputError(at, std::string(REAL_NAMES[i]) + " " + shortest(value) + " is not a finite number");
        }
        if (field == EL_SMA && !(set.SMA > 0.0)) {
            throw InputError(at, "semi-major axis " + shortest(set.SMA) + " must be positive");
        }
        if (field == EL_ECC && !(set.ECC >= 0.0 && set.ECC < 1.0)) {
            throw InputError(at, "eccentricity " + shortest(set.ECC) + " is outside 0 <= e < 1");
        }
        // mended: a rate this large overflows the node, the perigee or the mean motion's rate within the run.
        const bool rate = field == EL_SMADT || field == EL_RAANDT || field == EL_ARGPDT;
        if (rate && !(std::fabs(value) <= RATE_MAX)) {
            const char* unit = field == EL_SMADT ? " km/day" : " deg/day";
            throw InputError(at, std::string(REAL_NAMES[i]) + " " + shortest(value) + unit + " is outside -" +
                                     limit(RATE_MAX) + " to " + limit(RATE_MAX) + unit);
        }
    }
}

}  // namespace

void check_element_set(const ElementSet& set, const DATIM& start, const FieldPlace& place) {
    check_date(set.EPOCH, [&place](int field) { return place(EL_EPOCH + field); });
    check_reals(set, place);
    // mended: a perigee near the centre overflows the set-up and leaves the
    // height without meaning; one beyond the Earth's reach is no orbit.
    const double perigee = (1.0 - set.ECC) * set.SMA;
    if (!(perigee >= PERIGEE_MIN)) {
        throw InputError(place(EL_PERIGEE), "the perigee lies " + km(perigee, "%.4g km") +
                                                " from the Earth's centre (semi-major axis " + shortest(set.SMA) +
                                                ", eccentricity " + shortest(set.ECC) + "); it must lie at least " +
                                                limit(PERIGEE_MIN) + " km from it");
    }
    if (!(set.SMA < SMA_MAX)) {
        throw InputError(place(EL_SMA), "semi-major axis " + shortest(set.SMA) + " km is " + limit(SMA_MAX) +
                                            " km or more, beyond any orbit of the Earth");
    }

    double JDS = 0.0;
    double JDE = 0.0;
    Single gst;
    JULDAT(JDS, gst, start);
    JULDAT(JDE, gst, set.EPOCH);
    const double days = std::fabs(std::trunc(JDS - JDE));
    if (days > EPOCH_DAYS_MAX) {
        throw InputError(place(EL_EPOCH), "the epoch is " + std::to_string(static_cast<long>(days)) +
                                              " days from the start; at most " + limit(EPOCH_DAYS_MAX) +
                                              " are allowed");
    }
    // mended: a revolution number beyond 32 bits cannot be stored; refuse it instead of an undefined conversion.
    // The run counts at most one more per step (the step count has five columns), so that room is kept too.
    if (!(std::fabs(revolutions_at(set, start)) < INT32_RANGE - RUN_REVOLUTIONS_MAX)) {
        throw InputError(place(EL_MMOTION), "mean motion " + shortest(set.MMOTION) +
                                                " gives a revolution number at the start beyond the 32-bit range");
    }
}

void check_decay(const ORBEL& orbel, const DATIM& first, const DATIM& last, const std::string& place) {
    const DATIM* const steps[2] = {&first, &last};
    const char* const when[2] = {" by the first step", " by the last step"};
    const std::string rate = "rate of the semi-major axis " + shortest(orbel.SMADT) + " km/day";
    for (int i = 0; i < 2; ++i) {
        double jdn = 0.0;
        Single gst;
        JULDAT(jdn, gst, *steps[i]);
        const Single a = semi_major_axis_at(orbel, seconds_since_epoch(orbel, jdn, *steps[i]) / SECONDS_PER_DAY);
        const double perigee = (1.0 - orbel.ECC) * a;
        if (!(a > 0.0)) {
            throw InputError(place, rate + " brings the semi-major axis to " + km(a, "%.1f km") + when[i] +
                                        "; the perigee must stay at least " + limit(PERIGEE_MIN) +
                                        " km from the Earth's centre");
        }
        if (!(perigee >= PERIGEE_MIN)) {
            throw InputError(place, rate + " brings the perigee to " + km(perigee, "%.1f km") +
                                        " from the Earth's centre" + when[i] + "; it must stay at least " +
                                        limit(PERIGEE_MIN) + " km from it");
        }
        if (!(a < SMA_MAX)) {
            throw InputError(place, rate + " brings the semi-major axis to " + km(a, "%.1f km") + when[i] +
                                        "; it must stay below " + limit(SMA_MAX) + " km");
        }
    }
}

}  // namespace talik
