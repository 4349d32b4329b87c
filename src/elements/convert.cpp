// convert_elements, element_places - a published element set as talik's
// own.
//
// Given:    m       MeanElements  SGP4 mean elements (TEME) at an epoch in
//                                 microseconds, mean motion in rev/day, its
//                                 derivative's half in rev/day^2
// Returned: (value) Converted     the deck's element set, every real one
//                                 that reads back from its ten deck columns
//                                 unchanged, and warnings, one line each
//                                 naming the set's source
//                                 (convert_elements)
//           (value) FieldPlace    where each field of the converted set
//                                 came from, for check_element_set:
//                                 "iss.tle, line 1, epoch" (element_places)
// Thrown:   InputError            naming m's source and the field, for a
//                                 set talik would refuse with the start at
//                                 the epoch (convert_elements)
//
// Notes:
//  - The set talik follows: the epoch is the whole second nearest m's
//    epoch, the mean anomaly, the node and the perigee advanced (or set
//    back) by the remainder at the model's own rates; the semi-major axis
//    is the value for which the propagator's own perturbed mean motion (its
//    set-up, in its precision) equals m's mean motion to the digits the
//    report prints; the decay is the semi-major-axis rate for which the
//    propagator's mean-motion rate equals m's first derivative of mean
//    motion (twice the field); the node and perigee rates are 0, for the
//    propagator to derive; the revolution number is the one at the epoch,
//    and the mean motion stays in rev/day.
//  - The semi-major axis is found by bisection on the axis through the
//    propagator's own set-up (install_element_set and setup_orbit), then the
//    neighbouring singles are tried, so the mean motion the report prints
//    (MMOT in deg/min, F10.6) is the set's own.  Kepler's third law alone
//    would leave out the oblateness's correction of the mean motion and put
//    the satellite seconds ahead within a day.
//  - The decay is linear in the rate of the axis: the rate is the quotient
//    of the wanted mean-motion rate by the propagator's rate per km/day,
//    then the nearest single that the propagator agrees with best.
//  - Each real is passed through its deck text, so the set is what the deck
//    gives the program.
#include "elements/convert.hpp"

#include <cmath>
#include <cstdlib>

#include "numeric/constants.hpp"
#include "orbit/check_elements.hpp"
#include "orbit/install_elements.hpp"
#include "orbit/orbit_setup.hpp"
#include "deck/deck_text.hpp"
#include "time/check_date.hpp"
#include "time/gregorian.hpp"

namespace talik {

namespace {

constexpr double MICROSECONDS = 1.0e6;
constexpr double DEEP_SPACE_PERIOD_MIN = 225.0;  // minutes: beyond it the Sun and Moon matter
// A deck's revolution number has five columns: it keeps the last five digits.
constexpr std::int32_t DECK_REVOLUTIONS = 100000;

Single as_deck(double x) { return as_deck_real(x); }

// The propagator's set-up for the set with axis SMA: MMOT, RAANDT, ARGPDT.
ORBEL set_up(ElementSet set, Single SMA) {
    set.SMA = SMA;
    set.RAANDT = 0.0;
    set.ARGPDT = 0.0;
    ORBEL orbel;
    install_element_set(set, set.EPOCH, orbel);
    setup_orbit(orbel);
    return orbel;
}

// The axis whose perturbed mean motion, in deg/min, is nearest want.
Single solve_axis(const ElementSet& set, double want_deg_min) {
    const double n_rad_s = want_deg_min * DEGRAD / SECONDS_PER_MINUTE;
    double lo = 0.5 * std::cbrt(GM / (n_rad_s * n_rad_s));
    double hi = 4.0 * lo;
    const auto rate = [&](double a) { return set_up(set, a).MMOT / DEGRAD; };
    for (int i = 0; i < 200 && hi - lo > 1e-8 * hi; ++i) {
        const double mid = 0.5 * (lo + hi);
        (rate(mid) > want_deg_min ? lo : hi) = mid;
    }
    Single best = as_deck(lo);
    double best_error = std::fabs(rate(best) - want_deg_min);
    float a = best.f();
    for (int step = 0; step < 8; ++step) a = std::nextafter(a, 0.0F);
    for (int step = 0; step < 16; ++step, a = std::nextafter(a, INFINITY)) {
        const Single candidate = as_deck(a);
        const double error = std::fabs(rate(candidate) - want_deg_min);
        if (error < best_error) {
            best = candidate;
            best_error = error;
        }
    }
    return best;
}

// The rate of the axis (km/day) whose mean-motion rate is want (rad/min/day).
Single solve_decay(Single SMA, double want) {
    if (want == 0.0) return 0.0;
    Single best = as_deck(want / mean_motion_rate(SMA, 1.0));
    double best_error = std::fabs(mean_motion_rate(SMA, best) - want);
    float r = best.f();
    for (int step = 0; step < 4; ++step) r = std::nextafter(r, -INFINITY);
    for (int step = 0; step < 8; ++step, r = std::nextafter(r, INFINITY)) {
        const Single candidate = as_deck(r);
        const double error = std::fabs(mean_motion_rate(SMA, candidate) - want);
        if (error < best_error) {
            best = candidate;
            best_error = error;
        }
    }
    return best;
}

double turn(double degrees) {
    const double r = std::fmod(degrees, DEGREES_PER_TURN);
    return r < 0.0 ? r + DEGREES_PER_TURN : r;
}

}  // namespace

FieldPlace element_places(const MeanElements& m) {
    return [source = m.source](int field) {
        static const char* const NAMES[] = {"mean motion",
                                            "eccentricity",
                                            "inclination",
                                            "right ascension of the ascending node",
                                            "argument of pericenter",
                                            "mean anomaly",
                                            "mean motion derivative",
                                            "node rate",
                                            "perigee rate",
                                            "mean motion"};
        if (field < EL_NREV0) return source + ", epoch";
        if (field == EL_NREV0) return source + ", revolution number";
        if (field == EL_PERIGEE) return source + ", mean motion and eccentricity";
        return source + ", " + NAMES[field - EL_SMA];
    };
}

Converted convert_elements(const MeanElements& m) {
    Converted out;
    ElementSet& s = out.set;
    const double whole = std::floor((static_cast<double>(m.epoch_us) + 0.5 * MICROSECONDS) / MICROSECONDS);
    const double shift_s = whole - static_cast<double>(m.epoch_us) / MICROSECONDS;  // deck epoch - element epoch
    s.EPOCH = utc_datim(static_cast<std::int64_t>(whole));
    s.ECC = as_deck(m.eccentricity);
    s.INCL = as_deck(m.inclination_deg);
    s.MMOTION = as_deck(m.mean_motion);
    s.RAAN = as_deck(m.raan_deg);
    s.ARGP = as_deck(m.arg_perigee_deg);
    s.MANOM = as_deck(m.mean_anomaly_deg);
    s.NREV0 = m.rev_at_epoch % DECK_REVOLUTIONS;
    const FieldPlace place = element_places(m);
    check_date(s.EPOCH, [&place](int field) { return place(EL_EPOCH + field); });

    const double n_deg_min = m.mean_motion * DEGREES_PER_TURN / MINUTES_PER_DAY;
    s.SMA = solve_axis(s, n_deg_min);
    const ORBEL rates = set_up(s, s.SMA);
    const double days = shift_s / SECONDS_PER_DAY;
    const double manom = m.mean_anomaly_deg + m.mean_motion * DEGREES_PER_TURN * days;
    const double argp = m.arg_perigee_deg + rates.ARGPDT / DEGRAD * days;
    s.MANOM = as_deck(turn(manom));
    s.ARGP = as_deck(turn(argp));
    s.RAAN = as_deck(turn(m.raan_deg + rates.RAANDT / DEGRAD * days));
    // A shift across the ascending node belongs to the next (or the last) revolution.
    const double crossed = std::floor((argp + manom) / DEGREES_PER_TURN) -
                           std::floor((m.arg_perigee_deg + m.mean_anomaly_deg) / DEGREES_PER_TURN);
    s.NREV0 = static_cast<std::int32_t>((m.rev_at_epoch + static_cast<std::int64_t>(crossed) + DECK_REVOLUTIONS) %
                                        DECK_REVOLUTIONS);
    const double ndot_rad_min_day = 2.0 * m.mean_motion_dot * DEGREES_PER_TURN / MINUTES_PER_DAY * DEGRAD;
    s.SMADT = solve_decay(s.SMA, ndot_rad_min_day);
    s.RAANDT = 0.0;
    s.ARGPDT = 0.0;
    check_element_set(s, s.EPOCH, place);

    if (m.rev_at_epoch >= DECK_REVOLUTIONS) {
        out.warnings.push_back(m.source + ": revolution number " + std::to_string(m.rev_at_epoch) +
                               " has more than five digits; the deck keeps its last five");
    }
    if (MINUTES_PER_DAY / m.mean_motion > DEEP_SPACE_PERIOD_MIN) {
        out.warnings.push_back(m.source + ": a period over " + std::to_string(static_cast<int>(DEEP_SPACE_PERIOD_MIN)) +
                               " minutes: the Sun's and the Moon's pull, which the "
                               "model leaves out, make predictions degrade faster");
    }
    return out;
}

}  // namespace talik
