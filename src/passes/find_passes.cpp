// find_object_passes, find_passes - scanning an object's steps for passes
// over its sites and refining their ends and culmination on the same model.
//
// Given:    object  PassObject      the element set, the scan and the
//                                   sites; checked for its scan
//                                   (check_element_set, check_decay,
//                                   check_run_line)
//           site    Site            the one site looked at (find_passes)
//           how     Scanning        screened (where the bound is proven) or
//                                   every step
// Returned: (value) lists of Pass   the passes over each of the object's
//                                   sites, one list per site, each in time
//                                   order (find_object_passes)
//           (value) vector of Pass  the passes over site, in time order
//                                   (find_passes)
// Thrown:   InputError              naming object.source, should a position
//                                   not be a number
//
// Notes:
//  - A pass is a stretch of steps in a pass (Sample::in).  Its ends lie
//    between the last step out and the first step in: bisection on whole
//    seconds of the model's time narrows that to one second, and within it
//    the elevation (or, where the pre-filter cuts, the pre-filter's margin)
//    is interpolated linearly to the tenth of a second.  A pass already in
//    progress at the first step, or still at the last, ends there, flagged.
//  - The culmination: a parabola through the highest step of the pass and
//    the instants a step either side guesses it; from there the search
//    climbs, whole second by whole second within a step either side (and
//    within the pass), to the highest whole second; a parabola through it
//    and its two neighbours places it to the tenth; held inside the pass.
//  - Between steps: where the elevation rises and then falls while below
//    the minimum (the window's ends counting as lower), the highest whole
//    second is sought; if it is in a pass, that pass is refined as above.
//  - Revolutions are counted as talik counts them, at northward equator
//    crossings between steps in the run's order; a pass carries the count
//    of its earliest step (for a pass between steps, of the step before).
//  - A run backward is scanned backward, as talik runs it; its passes are
//    turned back into time order at the end.
//  - A pass's visible seconds: the satellite's sunlight and the site's dark
//    sky are followed apart, each change bisected to the whole second, as
//    both may change within one stride of the sampling.
//  - Screened: out of any pass, a scan may jump as many steps as the
//    screen (screen.hpp) proves clear: none of their whole seconds is in a
//    pass, so neither a step's test nor a search between steps finds
//    anything there.  Where a jump lands and the screen allows no further
//    one, the step before is worked out too, so that the search between
//    steps resumes on the steps the exhaustive scan has.  The revolution
//    count goes from the step jumped from to the step landed on (the
//    screen keeps jumps short enough for that to count exactly).
//  - All sites of an object are scanned together, each wanting its next
//    step; a step wanted by several is propagated once (ObjectOrbit).
#include "passes/find_passes.hpp"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>

#include "numeric/constants.hpp"
#include "orbit/check_elements.hpp"
#include "passes/object_orbit.hpp"
#include "passes/screen.hpp"
#include "passes/view.hpp"
#include "predict/revolution_counter.hpp"
#include "time/addtim.hpp"
#include "time/iso_datim.hpp"
#include "time/model_calendar.hpp"
#include "time/montab.hpp"

namespace talik {

namespace {

// An edge of a pass more than this many seconds from the step on its other
// side is sought by walking from the pass in strides of this length before
// bisecting, so that it is the edge of this pass and not of another one
// between the two steps (seconds; passes of one site are further apart).
constexpr std::int64_t EDGE_STRIDE_S = 60;

// No satellite on a bound orbit above the ground moves faster than the
// escape speed at the surface (11.2 km/s) relative to the Earth's centre,
// nor a site faster than 0.5 km/s: the fastest the line of sight can move
// relative to a site, km/s.
constexpr double RELATIVE_SPEED_MAX = 11.7;
constexpr double ELEVATION_ZENITH_DEG = 90.0;

// The sunlight and the site's dark sky of a pass are sampled this many
// seconds apart and each one's changes bisected to the whole second apart
// from the other's: the Sun moves a degree in minutes and a satellite
// crosses the shadow's edge once, so neither changes twice between two
// samples, but both may change between the same two.
constexpr std::int64_t VISIBILITY_STRIDE_S = 30;

// The two conditions of a visible second: the satellite sunlit, the Sun at
// least DARK_SKY_SUN_EL_DEG below the site's horizon.
constexpr std::size_t LIT = 0;
constexpr std::size_t DARK = 1;
using Seen = std::array<bool, 2>;

// A second from which one of the conditions (LIT or DARK) holds or fails.
struct Turn {
    std::int64_t t;
    std::size_t which;
    bool operator<(const Turn& o) const { return t < o.t; }
};

// The edge of a pass between a whole second out and one in.
struct Edge {
    std::int64_t tenths;  // the crossing
    Sample inside;        // the whole second in the pass next to it
    bool filter_cut;      // the pre-filter, not the horizon, ends the pass here
};

// The culmination within a pass.
struct Peak {
    std::int64_t tenths;
    double el_deg;
    double az_deg;
    double range_km;
};

double lerp_azimuth(double a, double b, double f) {
    double d = b - a;
    if (d > 180.0) d -= 360.0;
    if (d < -180.0) d += 360.0;
    double az = a + f * d;
    if (az < 0.0) az += 360.0;
    if (az >= 360.0) az -= 360.0;
    return az;
}

// What accumulates over the steps of one pass, in the run's order.
struct OpenPass {
    Edge first;
    bool first_at_scan_end = false;  // the pass was in progress at the first step
    Sample best;                     // the highest step
    Sample last;                     // the latest step in the pass
    int steps = 0;
    int lit = 0;
    std::string marks;
    std::int32_t rev = 0;
};

class Finder {
public:
    Finder(const PassObject& object, const Site& site, ObjectOrbit& orbit, Scanning how)
        : object_(object),
          site_(site),
          view_(site, orbit),
          between_(object.scan.between_steps || site.kind != SiteKind::Station),
          revolutions_(orbit.start_revolution()),
          rev_(orbit.start_revolution()),
          rev_before_(rev_) {
        if (how == Scanning::Screened) {
            screen_ = make_screen(object, site, view_.station(), view_.ellipsoid(), orbit.orbel());
        }
    }

    // The next step this site wants, or the scan's count when it wants none.
    std::int32_t next() const { return next_; }
    // Step k (next()) at the point p.
    void take(std::int32_t k, OrbitPoint& p);
    // The passes, once every step wanted has been taken.
    std::vector<Pass> finish();

private:
    Edge edge(Sample out, Sample in);
    std::optional<Sample> highest(std::int64_t c, std::int64_t lo, std::int64_t hi);
    Sample at(std::int64_t t);
    Peak peak(const Sample& best, std::int64_t lo, std::int64_t hi, std::int64_t aos, std::int64_t los);
    OpenPass open(const Sample& s, std::int32_t rev, const Sample* before);
    void add(OpenPass& p, const Sample& s, std::int32_t rev) const;
    bool may_rise(const Sample& s) const;
    void between(const Sample& a, const Sample& b, std::int32_t rev);
    void emit(const Edge& a, bool a_at_scan_end, const Edge& b, bool b_at_scan_end, const OpenPass& p);
    Seen seen(std::int64_t t);
    std::vector<Turn> turns(std::int64_t first, std::int64_t last, Seen before);
    void describe(Pass& pass);
    void scan_step(const Sample& s);
    bool jump(std::int32_t k, OrbitPoint& p);
    std::int64_t step_time(std::int32_t k) const {
        return object_.scan.start + static_cast<std::int64_t>(k) * object_.scan.step;
    }

    const PassObject& object_;
    const Site& site_;
    View view_;
    bool between_;
    std::optional<Screen> screen_;
    std::vector<Pass> passes_;
    // The scan's state, in the run's order.
    RevolutionCounter revolutions_;
    std::int32_t rev_;
    std::int32_t rev_before_;
    std::optional<Sample> p2_;  // the two steps before
    std::optional<Sample> p1_;
    std::optional<OpenPass> pass_;
    std::int32_t next_ = 0;
    std::int32_t landing_ = -1;  // the step a jump lands on
    bool clear_to_end_ = false;  // a jump went past the last step
    // The last samples of a refinement, which the next steps of it ask again.
    static constexpr std::int64_t NONE = INT64_MIN;
    std::array<Sample, 8> recent_ = [] {
        std::array<Sample, 8> a{};
        for (Sample& s : a) s.t = NONE;
        return a;
    }();
    std::size_t next_recent_ = 0;
};

Edge Finder::edge(Sample out, Sample in) {
    const std::int64_t toward_out = out.t > in.t ? 1 : -1;
    while (std::llabs(in.t - out.t) > EDGE_STRIDE_S) {
        const Sample next = at(in.t + toward_out * EDGE_STRIDE_S);
        if (!next.in) {
            out = next;
            break;
        }
        in = next;
    }
    while (std::llabs(in.t - out.t) > 1) {
        const Sample mid = at(out.t + (in.t - out.t) / 2);
        (mid.in ? in : out) = mid;
    }
    const bool cut = out.sin_el > 0.0 && !out.filter_ok && in.filter_ok;
    const double v_out = cut ? out.filter_margin : view_.above_min_deg(out);
    const double v_in = cut ? in.filter_margin : view_.above_min_deg(in);
    const double f = v_out == v_in ? 1.0 : std::clamp(v_out / (v_out - v_in), 0.0, 1.0);
    const std::int64_t tenth = std::lround(f * TENTHS);
    return {out.t * TENTHS + (in.t > out.t ? tenth : -tenth), in, cut};
}

// The highest whole second from lo to hi near the step c: a parabola through
// c and the instants a step either side guesses the top, and the search
// climbs from there to the highest whole second.
std::optional<Sample> Finder::highest(std::int64_t c, std::int64_t lo, std::int64_t hi) {
    if (lo > hi) return std::nullopt;
    const std::int64_t h = std::max<std::int64_t>(1, std::abs(object_.scan.step));
    const double em = at(c - h).sin_el;
    const double e0 = at(c).sin_el;
    const double ep = at(c + h).sin_el;
    const double curve = em - 2.0 * e0 + ep;
    const double shift = curve < 0.0 ? std::clamp(0.5 * (em - ep) / curve, -1.0, 1.0) * static_cast<double>(h) : 0.0;
    Sample top = at(std::clamp<std::int64_t>(c + std::llround(shift), lo, hi));
    // The climb never ends below the step it started near.
    if (c >= lo && c <= hi && e0 > top.sin_el) top = at(c);
    for (;;) {
        const bool left = top.t > lo && at(top.t - 1).sin_el > top.sin_el;
        const bool right = top.t < hi && at(top.t + 1).sin_el > top.sin_el;
        if (!left && !right) return top;
        top = at(left ? top.t - 1 : top.t + 1);
    }
}

// A sample, from the few last worked out when it is among them.
Sample Finder::at(std::int64_t t) {
    for (const Sample& s : recent_) {
        if (s.t == t && s.t != NONE) return s;
    }
    const Sample s = view_.at(t);
    recent_[next_recent_] = s;
    next_recent_ = (next_recent_ + 1) % recent_.size();
    return s;
}

// The culmination near the step best, within the pass's whole seconds lo to
// hi and its ends aos and los (tenths): the highest whole second, then a
// parabola through the sines of the elevations there and at its neighbours,
// which vary smoothly also at the zenith; never below the highest whole
// second, nor above the zenith.
Peak Finder::peak(const Sample& best, std::int64_t lo, std::int64_t hi, std::int64_t aos, std::int64_t los) {
    const std::int64_t reach = std::abs(object_.scan.step);
    Sample c = highest(best.t, std::max(lo, best.t - reach), std::min(hi, best.t + reach)).value_or(best);
    if (best.sin_el > c.sin_el) c = best;
    const Sample before = at(c.t - 1);
    const Sample after = at(c.t + 1);
    const double sm = before.sin_el;
    const double s0 = c.sin_el;
    const double sp = after.sin_el;
    const double curve = sm - 2.0 * s0 + sp;
    const double vertex = curve < 0.0 ? std::clamp(0.5 * (sm - sp) / curve, -0.5, 0.5) : 0.0;
    const std::int64_t tenths = std::clamp(c.t * TENTHS + std::lround(vertex * TENTHS), aos, los);
    const double x = static_cast<double>(tenths - c.t * TENTHS) / TENTHS;
    const double top = std::clamp(s0 + 0.5 * (sp - sm) * x + 0.5 * curve * x * x, s0, 1.0);
    const double top_deg = std::asin(top) / DEGRAD_DOUBLE;
    Peak p{tenths, std::clamp(std::max(top_deg, c.el_deg), site_.min_elevation_deg, ELEVATION_ZENITH_DEG), c.az_deg,
           c.range_km};
    const Sample& toward = x < 0.0 ? before : after;
    if (toward.in && x != 0.0) {
        p.az_deg = lerp_azimuth(c.az_deg, toward.az_deg, std::fabs(x));
        p.range_km = c.range_km + (toward.range_km - c.range_km) * std::fabs(x);
    }
    return p;
}

OpenPass Finder::open(const Sample& s, std::int32_t rev, const Sample* before) {
    OpenPass p;
    p.first_at_scan_end = before == nullptr;
    p.first = before ? edge(*before, s) : Edge{s.t * TENTHS, s, false};
    p.best = s;
    p.rev = rev;
    add(p, s, rev);
    return p;
}

void Finder::add(OpenPass& p, const Sample& s, std::int32_t rev) const {
    ++p.steps;
    p.lit += s.lit;
    if (s.antenna != ' ' && p.marks.find(s.antenna) == std::string::npos) p.marks += s.antenna;
    if (s.sin_el > p.best.sin_el) p.best = s;
    p.last = s;
    if (object_.scan.step < 0) p.rev = rev;  // backward, the earliest step comes last
}

// Whether the satellite, out at step s, may reach the minimum elevation
// within a step of it: the line of sight turns at most at the fastest
// relative speed over the nearest the satellite can come in that time.
bool Finder::may_rise(const Sample& s) const {
    const double reach = RELATIVE_SPEED_MAX * std::abs(object_.scan.step);
    const double nearest = s.range_km - reach;
    if (nearest <= 0.0) return true;
    return view_.above_min_deg(s) + reach / nearest / DEGRAD_DOUBLE >= 0.0;
}

// A pass that rises and sets between the steps a and b, both out.
void Finder::between(const Sample& a, const Sample& b, std::int32_t rev) {
    const std::int64_t lo = std::min(a.t, b.t) + 1;
    const std::int64_t hi = std::max(a.t, b.t) - 1;
    const auto m = highest(lo + (hi - lo) / 2, lo, hi);
    if (!m || !m->in) return;
    OpenPass p;
    p.best = *m;
    p.lit = m->lit;
    if (m->antenna != ' ') p.marks = std::string(1, m->antenna);
    p.rev = rev;
    emit(edge(a, *m), false, edge(b, *m), false, p);
}

void Finder::emit(const Edge& a, bool a_at_scan_end, const Edge& b, bool b_at_scan_end, const OpenPass& p) {
    const bool a_first = a.tenths <= b.tenths;
    const Edge& rise = a_first ? a : b;
    const Edge& set = a_first ? b : a;
    Pass pass;
    pass.object = object_.label;
    pass.site = site_.name;
    pass.rev = p.rev;
    pass.aos = rise.tenths;
    pass.aos_az_deg = rise.inside.az_deg;
    pass.los = set.tenths;
    pass.los_az_deg = set.inside.az_deg;
    const Peak top = peak(p.best, rise.inside.t, set.inside.t, pass.aos, pass.los);
    pass.tca = top.tenths;
    pass.tca_el_deg = top.el_deg;
    pass.tca_az_deg = top.az_deg;
    pass.tca_range_km = top.range_km;
    pass.sunlit_fraction = p.steps > 0 ? static_cast<double>(p.lit) / p.steps : p.lit;
    pass.marks = p.marks;
    if (object_.scan.step < 0) std::reverse(pass.marks.begin(), pass.marks.end());  // first seen in time
    pass.starts_before_window = a_first ? a_at_scan_end : b_at_scan_end;
    pass.ends_after_window = a_first ? b_at_scan_end : a_at_scan_end;
    pass.filter_cut = a.filter_cut || b.filter_cut;
    describe(pass);
    passes_.push_back(std::move(pass));
}

// Whether the satellite is sunlit at t, and whether the Sun is at least
// 6 degrees below the site's horizon.
Seen Finder::seen(std::int64_t t) {
    const SunView sun = view_.sun_at(t);
    return {sun.sunlit, sun.sun_el_deg <= DARK_SKY_SUN_EL_DEG};
}

// The whole seconds after first up to last at which either condition turns
// from how it is at first (before), in time order.
std::vector<Turn> Finder::turns(std::int64_t first, std::int64_t last, Seen before) {
    std::vector<Turn> found;
    // On the scan's own steps where they are close enough, whose points the
    // scan has just worked out.
    const Scan& scan = object_.scan;
    const std::int64_t stride = std::abs(scan.step) > 0 && std::abs(scan.step) <= VISIBILITY_STRIDE_S
                                    ? std::abs(scan.step)
                                    : VISIBILITY_STRIDE_S;
    const std::int64_t phase = ((scan.start - first) % stride + stride) % stride;  // to the first grid second
    for (std::int64_t a = first; a < last;) {
        const std::int64_t b = std::min(a == first && phase > 0 ? first + phase : a + stride, last);
        const Seen after = seen(b);
        for (const std::size_t k : {LIT, DARK}) {
            if (after[k] == before[k]) continue;
            std::int64_t lo = a;  // the last second like a
            std::int64_t hi = b;
            while (hi - lo > 1) {
                const std::int64_t mid = lo + (hi - lo) / 2;
                (seen(mid)[k] == before[k] ? lo : hi) = mid;
            }
            found.push_back({hi, k});
        }
        before = after;
        a = b;
    }
    std::stable_sort(found.begin(), found.end());
    return found;
}

// The details of a found pass: the object's names, the Sun at the
// culmination, the seconds it can be seen against a dark sky, the age of
// its elements.
void Finder::describe(Pass& pass) {
    pass.catalog_number = object_.catalog_number;
    pass.name = object_.name;
    const std::int64_t tca = (pass.tca + TENTHS / 2) / TENTHS;
    pass.site_sun_el_deg = view_.sun_at(tca).sun_el_deg;
    const double age_s = std::fabs(static_cast<double>(tca - model_seconds(object_.elements.EPOCH)));
    pass.stale_elements = age_s > ELEMENTS_AGE_DAYS * SECONDS_PER_DAY;
    const std::int64_t first = (pass.aos + TENTHS - 1) / TENTHS;
    const std::int64_t last = pass.los / TENTHS;
    if (first > last) return;
    Seen now = seen(first);
    std::int64_t from = first;                  // the first second of the stretch under way
    const auto close = [&](std::int64_t end) {  // the stretch ends before end
        if (!now[LIT] || !now[DARK] || end <= from) return;
        if (pass.visible_s == 0) pass.visible_first = from * TENTHS;
        pass.visible_s += static_cast<std::int32_t>(end - from);
        pass.visible_last = (end - 1) * TENTHS;
    };
    for (const Turn& turn : turns(first, last, now)) {
        close(turn.t);
        now[turn.which] = !now[turn.which];
        from = turn.t;
    }
    close(last + 1);
}

// The exhaustive scan's work at one step.
void Finder::scan_step(const Sample& s) {
    rev_ = revolutions_.count(s.GLAT);
    if (s.in) {
        if (pass_) {
            add(*pass_, s, rev_);
        } else {
            pass_ = open(s, rev_, p1_ ? &*p1_ : nullptr);
        }
    } else if (pass_) {
        emit(pass_->first, pass_->first_at_scan_end, edge(s, pass_->last), false, *pass_);
        pass_.reset();
    } else if (between_ && p1_ && !p1_->in && (!p2_ || (!p2_->in && p1_->sin_el > p2_->sin_el)) &&
               p1_->sin_el >= s.sin_el && may_rise(*p1_)) {
        between(p2_ ? *p2_ : *p1_, s, rev_before_);
    }
    p2_ = p1_;
    p1_ = s;
    rev_before_ = rev_;
}

// Jumps from step k at p, out of any pass, as far as the screen allows;
// false when it allows less than JUMP_MIN_STEPS steps.
bool Finder::jump(std::int32_t k, OrbitPoint& p) {
    const std::int32_t clear = clear_steps(*screen_, p);
    if (clear < JUMP_MIN_STEPS) return false;
    if (clear >= object_.scan.count - 1 - k) {
        clear_to_end_ = true;
        next_ = object_.scan.count;
        return true;
    }
    // On the grid where it reaches it, so that the object's sites share landings.
    const std::int32_t on_grid = (k + clear) / screen_->grid_steps * screen_->grid_steps;
    landing_ = on_grid >= k + JUMP_MIN_STEPS ? on_grid : k + clear;
    next_ = landing_;
    return true;
}

void Finder::take(std::int32_t k, OrbitPoint& p) {
    next_ = k + 1;
    if (k == landing_) {
        // Within the clear stretch: out of any pass, nothing between steps;
        // the sample itself is wanted only where the scan goes on from here.
        rev_ = revolutions_.count(p.GLAT);
        rev_before_ = rev_;
        if (!jump(k, p)) {
            p2_ = at(step_time(k - 1));
            p1_ = view_.at(p);
        }
        return;
    }
    const Sample s = view_.at(p);
    scan_step(s);
    if (screen_ && !pass_ && !s.in) jump(k, p);
}

std::vector<Pass> Finder::finish() {
    if (pass_) {
        emit(pass_->first, pass_->first_at_scan_end, Edge{pass_->last.t * TENTHS, pass_->last, false}, true, *pass_);
    } else if (!clear_to_end_ && between_ && p1_ && p2_ && !p1_->in && !p2_->in && p1_->sin_el > p2_->sin_el &&
               may_rise(*p1_)) {
        between(*p2_, *p1_, rev_before_);
    }
    if (object_.scan.step < 0) std::reverse(passes_.begin(), passes_.end());
    return std::move(passes_);
}

}  // namespace

std::vector<std::vector<Pass>> find_object_passes(const PassObject& object, Scanning how) {
    ObjectOrbit orbit(object);
    std::vector<std::unique_ptr<Finder>> finders;
    for (const Site& site : object.sites) finders.push_back(std::make_unique<Finder>(object, site, orbit, how));
    const Scan& scan = object.scan;
    // The steps' date-times advance as talik advances them; a jump starts
    // afresh from the calendar.
    DATIM now = model_datim(scan.start);
    MONLEN monlen;
    MONTAB(now, monlen);
    const auto minutes = static_cast<std::int16_t>(scan.step / 60);
    const auto seconds = static_cast<std::int16_t>(scan.step - 60 * minutes);
    std::int32_t now_k = 0;
    for (;;) {
        std::int32_t k = scan.count;
        for (const auto& f : finders) k = std::min(k, f->next());
        if (k >= scan.count) break;
        const std::int64_t t = scan.start + static_cast<std::int64_t>(k) * scan.step;
        if (k == now_k + 1) {
            ADDTIM(now, minutes, seconds, monlen);
        } else if (k != now_k) {
            now = model_datim(t);
            MONTAB(now, monlen);
        }
        now_k = k;
        OrbitPoint p = orbit.at(t, now);
        for (const auto& f : finders) {
            if (f->next() == k) f->take(k, p);
        }
    }
    std::vector<std::vector<Pass>> passes;
    passes.reserve(finders.size());
    for (const auto& f : finders) passes.push_back(f->finish());
    return passes;
}

std::vector<Pass> find_passes(const PassObject& object, const Site& site, Scanning how) {
    PassObject one = object;
    one.sites = {site};
    return std::move(find_object_passes(one, how).front());
}

}  // namespace talik
