// read_source, element_scan, days_from_epoch, read_objects - talik-passes'
// and talik-plot's sources: decks and element-set files, each turned into
// objects with a checked scan.
//
// Given:    name      string          a source's name, "-" for standard
//                                     input (read_source)
//           text      string          its whole text, read by the caller
//                                     (read_source)
//           sources   vector of string
//                                     the sources, in order (read_objects)
//           in        FILE*           standard input, read for "-"
//                                     (read_objects)
//           request   WindowRequest   the window, step and sites asked for
//           source    string          the source named in messages
//                                     (element_scan)
//           set       ElementSet      an element set (days_from_epoch)
//           scan      Scan            its scan (days_from_epoch)
// Returned: objects   vector of PassObject
//                                     read_source appends the source's
//                                     objects: one for a deck, one per
//                                     object for an element file (its
//                                     newest set, after --select)
//           notes     vector of string
//                                     read_source appends the lines for
//                                     standard error: the sets skipped and
//                                     the warnings
//           (value)   size_t          the number of objects the source
//                                     offered (after --select), used or not
//                                     (read_source)
//           (value)   Scan            an element set's scan: from --start or
//                                     now; to --end, over --hours or
//                                     --days, or over DEFAULT_SPAN_S; at
//                                     --step or DEFAULT_STEP_S; checked
//                                     as a run line, within the Sun table's
//                                     span (element_scan)
//           (value)   double          days from the set's epoch to the
//                                     farthest instant of the scan
//                                     (days_from_epoch)
//           (value)   vector of PassObject
//                                     every object of the sources, in
//                                     order, each checked for its scan, one
//                                     per object: the newest set of one
//                                     given more than once (read_objects)
//           note      function        read_objects hands it the lines for
//                                     standard error as they come
// Thrown:   InputError                a source refused whole; a set that
//                                     cannot be used, when request.strict
//                                     (read_source, read_objects); a window
//                                     that cannot be scanned, naming the
//                                     option or the source (element_scan);
//                                     a source that holds no element set or
//                                     offers objects none of which can be
//                                     used, a --select that matches nothing
//                                     (read_objects)
//
// Notes:
//  - A source is a deck when its first two records are laid out as a deck's
//    (looks_like_deck); otherwise, when the element readers recognise it, an
//    element file; otherwise it is read as a deck anyway, so that its
//    refusal names the record and columns that are wrong.
//  - A deck's run line gives the scan; --start, --end, --hours and --days
//    replace its window (scanned forward at the deck's step, or --step), and
//    --step alone covers the deck's own span, in its direction.
//  - Every scan is checked as talik checks a run (check_run): its start,
//    its span within the Sun table's, the element set from its start and
//    the decay over it.
#include "passes/sources.hpp"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <map>

#include "deck/run_description.hpp"
#include "elements/convert.hpp"
#include "elements/elements.hpp"
#include "format/deck.hpp"
#include "format/text.hpp"
#include "geometry/suncom.hpp"
#include "orbit/check_elements.hpp"
#include "predict/statab.hpp"
#include "time/gregorian.hpp"
#include "time/model_calendar.hpp"

namespace talik {

namespace {

// A window longer than this cannot pass the Sun table's span anyway; it is
// refused before the step count could overflow.
constexpr std::int64_t SPAN_MAX_S = 1000 * SECONDS_PER_DAY_WHOLE;
// The station a scan's run line names when only its window is checked.
constexpr std::int16_t SCAN_STATION = 1;

// How far a low, near-circular orbit's element set drifts along its track
// with its age: (days, seconds), measured with the space station's set
// against SGP4 (README, "How close to the real sky").
constexpr std::pair<double, double> ALONG_TRACK_DRIFT[] = {{14.0, 7.0}, {30.0, 27.0}, {100.0, 271.0}, {365.0, 808.0}};
// The orbits that measurement speaks for: eccentricity and height (km).
constexpr double LOW_ORBIT_ECC_MAX = 0.01;
constexpr double LOW_ORBIT_HEIGHT_MAX_KM = 2000.0;

// A window refusal that holds for every set of a file, carried past the
// per-set handling.
struct FatalWindow {
    std::exception_ptr error;
};

// The station sites of a deck, or the sites asked for.
std::vector<Site> sites_or(const WindowRequest& request, int station) {
    if (!request.sites.empty()) return request.sites;
    Site s;
    s.kind = SiteKind::Station;
    s.station = station;
    s.name = station_name(station);
    return {s};
}

// The run line that steps through scan.
RunLine scan_line(const Scan& scan) {
    return RunLine{model_datim(scan.start), static_cast<std::int16_t>(scan.step), scan.count, SCAN_STATION};
}

// The number of steps of step seconds from start to end.
std::int32_t steps_between(std::int64_t start, std::int64_t end, std::int32_t step, const FieldPlace& place) {
    if (end < start) throw InputError(place(RL_SPAN), "the window ends before it starts");
    if (end - start > SPAN_MAX_S) {
        throw InputError(place(RL_SPAN), "the window is longer than the " +
                                             std::to_string(SUN_LAST_DAY - SUN_FIRST_DAY) +
                                             " days the model's Sun table covers");
    }
    return static_cast<std::int32_t>((end - start) / step + 1);
}

// The along-track drift of a low, near-circular orbit after days, seconds
// (interpolated in the logarithms of the measurements).
double along_track_drift_s(double days) {
    const auto* next = std::find_if(std::begin(ALONG_TRACK_DRIFT), std::end(ALONG_TRACK_DRIFT),
                                    [&](const auto& point) { return point.first >= days; });
    if (next == std::begin(ALONG_TRACK_DRIFT)) return next->second;
    if (next == std::end(ALONG_TRACK_DRIFT)) --next;
    const auto& [d0, s0] = *(next - 1);
    const auto& [d1, s1] = *next;
    const double f = std::log(days / d0) / std::log(d1 / d0);
    return std::exp(std::log(s0) + f * std::log(s1 / s0));
}

// The warning for an object whose window reaches beyond ELEMENTS_AGE_DAYS
// from its epoch, or "".
std::string age_warning(const PassObject& o) {
    const double days = days_from_epoch(o.elements, o.scan);
    if (!(days > ELEMENTS_AGE_DAYS)) return "";
    char text[200];
    std::snprintf(text, sizeof text,
                  "the window reaches %.1f days from the elements' epoch; predictions degrade with "
                  "their age",
                  days);
    std::string warning = o.source + ": " + text;
    const ElementSet& e = o.elements;
    if (e.ECC < LOW_ORBIT_ECC_MAX && e.SMA * (1.0 + e.ECC) - EARTH_RADIUS < LOW_ORBIT_HEIGHT_MAX_KM) {
        std::snprintf(text, sizeof text, " (for a low, near-circular orbit, of the order of %.0f s along the track)",
                      along_track_drift_s(days));
        warning += text;
    }
    return warning;
}

// Where messages place the fields of a deck's scan: the options that
// replace its window, or the deck's own fields.
FieldPlace deck_scan_place(const WindowRequest& request, FieldPlace deck_place) {
    const bool window = request.start || request.end || request.span_s;
    return [&request, deck_place = std::move(deck_place), window](int field) {
        if (field <= SECOND) return request.start ? std::string("--start") : deck_place(field);
        if (field == RL_SPAN && window && !request.span_option.empty()) return request.span_option;
        return field == RL_SPAN && request.step_s ? std::string("--step") : deck_place(field);
    };
}

// Where messages place the fields of an element set's scan.
FieldPlace element_scan_place(const WindowRequest& request, const std::string& source) {
    return [&request, window = source + ": the window from now"](int field) {
        if (field <= SECOND) return request.start ? std::string("--start") : window;
        return request.span_option.empty() ? window : request.span_option;
    };
}

// The scan of a deck whose run line is line.
Scan deck_scan(const RunLine& line, const WindowRequest& request, const FieldPlace& place) {
    const std::int64_t deck_start = model_seconds(line.DTSTRT);
    const std::int64_t deck_span = line.NCALC > 0 ? std::int64_t{line.NCALC - 1} * line.ISTEP : 0;
    const bool window = request.start || request.end || request.span_s;
    if (!window && !request.step_s) return Scan{deck_start, line.ISTEP, line.NCALC, false};
    if (!window) {
        // --step alone covers the deck's own span, in its direction.
        const std::int32_t count =
            line.NCALC > 0 ? static_cast<std::int32_t>(std::llabs(deck_span) / *request.step_s + 1) : 0;
        return Scan{deck_start, line.ISTEP < 0 ? -*request.step_s : *request.step_s, count, false};
    }
    const std::int32_t step = request.step_s.value_or(std::abs(line.ISTEP));
    if (step == 0) throw InputError(place(RL_STEP), "a step of 0 cannot cover a window; give --step");
    const std::int64_t start = request.start ? model_seconds(*request.start) : deck_start;
    const std::int64_t end = request.end      ? model_seconds(*request.end)
                             : request.span_s ? start + *request.span_s
                                              : start + std::llabs(deck_span);
    return Scan{start, step, steps_between(start, end, step, place), false};
}

void read_deck(const std::string& name, const std::string& text, const WindowRequest& request,
               std::vector<PassObject>& objects, std::vector<std::string>& notes) {
    if (name == "-" && text.size() > DECK_BYTES_MAX) {
        throw InputError("standard input", "cannot read the deck: larger than " +
                                               std::to_string(DECK_BYTES_MAX / (std::size_t{1024} * 1024)) + " MiB");
    }
    Deck deck = name == "-" ? Deck("standard input", text) : Deck::open(name);
    const RunDescription d = read_run_description(deck);
    RunPlaces places = deck_run_places(deck);
    places.run_line = deck_scan_place(request, places.run_line);
    PassObject o;
    o.label = clean_name(deck.name());
    o.source = deck.name();
    o.elements = d.elements;
    o.scan = deck_scan(d.line, request, places.run_line);
    o.sites = sites_or(request, d.line.ISTA);
    check_run(scan_line(o.scan), o.elements, places);
    if (const std::string warning = age_warning(o); !warning.empty()) notes.push_back("warning: " + warning);
    objects.push_back(std::move(o));
}

// Refuses the set of object when its window reaches so far from its epoch
// that the model's time no longer resolves a second: a fault of this set,
// not of the window, so the other sets of a catalogue are still predicted.
void check_epoch_resolved(const PassObject& o, const WindowRequest& request) {
    const double days = days_from_epoch(o.elements, o.scan);
    if (!(days > EPOCH_RESOLVED_DAYS)) return;
    const DATIM& epoch = o.elements.EPOCH;
    char text[256];
    std::snprintf(text, sizeof text,
                  "the window reaches %.0f days from the elements' epoch of %04d-%02d-%02d; "
                  "the model resolves a second only within %.0f days of it: give a --start near the epoch, or newer "
                  "elements",
                  days, epoch[YEAR], epoch[MONTH], epoch[DAY], std::floor(EPOCH_RESOLVED_DAYS));
    const std::string option = request.start ? "--start" : request.span_option;
    throw InputError(o.source + ": " + (option.empty() ? "the window from now" : "the window of " + option), text);
}

// One set of an element file as an object, its scan worked out from its
// epoch and checked.
PassObject element_object(const MeanElements& m, const WindowRequest& request, SummarisedLines& warnings) {
    const Converted c = convert_elements(m);
    for (const std::string& w : c.warnings) warnings.add(w);
    PassObject o;
    o.name = clean_name(m.name);
    o.label = std::to_string(m.catalog_number) + (o.name.empty() ? "" : " " + o.name);
    o.catalog_number = m.catalog_number;
    o.source = m.source;
    o.elements = c.set;
    try {
        o.scan = element_scan(request, m.source);
    } catch (const InputError&) {
        if (request.start) throw FatalWindow{std::current_exception()};
        throw;
    }
    o.sites = sites_or(request, DEFAULT_STATION);
    check_epoch_resolved(o, request);
    check_run(scan_line(o.scan), o.elements,
              RunPlaces{element_scan_place(request, m.source), element_places(m), m.source + ": the decay"});
    if (const std::string warning = age_warning(o); !warning.empty()) warnings.add(warning);
    return o;
}

// The newest set of each object; the sets left aside are told in one note.
std::vector<MeanElements> newest_noted(const std::vector<MeanElements>& sets, const std::string& source,
                                       std::vector<std::string>& notes) {
    std::vector<MeanElements> kept = newest_sets(sets);
    if (kept.size() < sets.size()) notes.push_back(older_sets_note(source, sets.size() - kept.size()));
    return kept;
}

// The objects of an element file: a set that fails is noted and skipped,
// or ends the run when strict.  A window given by --start fails alike for
// every set, so it ends the run.  Returns the number of objects offered.
std::size_t read_elements(const std::string& name, const std::string& text, const WindowRequest& request,
                          std::vector<PassObject>& objects, std::vector<std::string>& notes) {
    ElementSetsRead read = read_element_sets(name, text);
    if (request.strict && !read.problems.empty()) throw InputError(read.problems.kept().front());
    const std::vector<MeanElements> sets =
        newest_noted(request.select ? select_sets(read.sets, *request.select) : read.sets, source_name(name), notes);
    for (const MeanElements& m : sets) {
        try {
            objects.push_back(element_object(m, request, read.warnings));
        } catch (const InputError& e) {
            if (request.strict) throw;
            read.problems.add(e.what());
        }
    }
    // The file's problems and warnings, a few lines each, then their count.
    for (const std::string& p : read.problems.shown()) notes.push_back(p);
    for (const std::string& w : read.warnings.shown()) notes.push_back("warning: " + w);
    return sets.size();
}

// Keeps the newest set of an object that several sources give.
void newest_objects(std::vector<PassObject>& objects, const std::function<void(const std::string&)>& note) {
    std::map<std::int32_t, std::size_t> newest;
    std::vector<bool> keep(objects.size(), true);
    for (std::size_t i = 0; i < objects.size(); ++i) {
        if (!objects[i].catalog_number) continue;
        const auto [it, added] = newest.try_emplace(*objects[i].catalog_number, i);
        if (added) continue;
        const bool newer = model_seconds(objects[i].elements.EPOCH) >=
                           model_seconds(objects[it->second].elements.EPOCH);
        keep[newer ? it->second : i] = false;
        if (newer) it->second = i;
        note("the sources give object " + std::to_string(*objects[i].catalog_number) +
             " more than once: its newest set is used");
    }
    std::size_t next = 0;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        if (!keep[i]) continue;
        if (next != i) objects[next] = std::move(objects[i]);
        ++next;
    }
    objects.resize(next);
}

}  // namespace

std::size_t read_source(const std::string& name, const std::string& text, const WindowRequest& request,
                        std::vector<PassObject>& objects, std::vector<std::string>& notes) {
    if (looks_like_deck(text) || !detect_element_format(text)) {
        read_deck(name, text, request, objects, notes);
        return 1;
    }
    try {
        return read_elements(name, text, request, objects, notes);
    } catch (const FatalWindow& w) {
        std::rethrow_exception(w.error);
    }
}

double days_from_epoch(const ElementSet& set, const Scan& scan) {
    const std::int64_t epoch = model_seconds(set.EPOCH);
    const std::int64_t last = scan.start + std::int64_t{std::max(scan.count - 1, 0)} * scan.step;
    return static_cast<double>(std::max(std::llabs(scan.start - epoch), std::llabs(last - epoch))) / SECONDS_PER_DAY;
}

Scan element_scan(const WindowRequest& request, const std::string& source) {
    const std::int64_t start = request.start ? model_seconds(*request.start) : model_seconds_of_unix(request.now_unix);
    const std::int64_t end = request.end ? model_seconds(*request.end)
                                         : start + request.span_s.value_or(DEFAULT_SPAN_S);
    const FieldPlace place = element_scan_place(request, source);
    const std::int32_t step = request.step_s.value_or(DEFAULT_STEP_S);
    Scan scan{start, step, steps_between(start, end, step, place), true};
    check_run_line(scan_line(scan), place);
    return scan;
}

std::vector<PassObject> read_objects(const std::vector<std::string>& sources, const WindowRequest& request,
                                     std::FILE* in, const std::function<void(const std::string&)>& note) {
    std::vector<PassObject> objects;
    std::vector<std::string> notes;
    for (const std::string& source : sources) {
        const std::size_t before = objects.size();
        const std::size_t offered = read_source(source, read_source_file(source, in), request, objects, notes);
        for (const std::string& n : notes) note(n);
        notes.clear();
        const std::string shown = source_name(source);
        if (offered == 0 && !request.select) throw InputError(shown, "holds no element set");
        if (offered > 0 && objects.size() == before) {
            throw InputError(shown, offered == 1 ? "its element set cannot be used"
                                                 : "none of its " + std::to_string(offered) + " objects can be used");
        }
    }
    newest_objects(objects, note);
    if (request.select && objects.empty()) {
        throw InputError("--select " + quote(*request.select), "no element set of the sources matches");
    }
    return objects;
}

}  // namespace talik
