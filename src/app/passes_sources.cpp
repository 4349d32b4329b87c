// Reading talik-passes' sources: decks and element-set files, each turned
// into objects with a checked scan.
//
// Notes:
//  - A source is a deck when its first two records are laid out as a deck's
//    (looks_like_deck); otherwise, when the element readers recognise it, an
//    element file; otherwise it is read as a deck anyway, so that its
//    refusal names the record and columns that are wrong.
//  - A deck's run line gives the scan; --start, --end, --hours and --days
//    replace its window (scanned forward at the deck's step, or --step), and
//    --step alone covers the deck's own span, in its direction.
#include "app/passes_sources.hpp"

#include <cstdlib>
#include <exception>

#include "elements/convert.hpp"
#include "elements/elements.hpp"
#include "format/deck.hpp"
#include "orbit/check_elements.hpp"
#include "orbit/elminp.hpp"
#include "passes/model_time.hpp"
#include "predict/run_description.hpp"
#include "geometry/suncom.hpp"
#include "predict/statab.hpp"
#include "numeric/constants.hpp"

namespace talik {

namespace {

constexpr std::size_t DECK_BYTES_MAX = std::size_t{1024} * 1024;  // as Deck::open allows
// A window longer than this cannot pass the Sun table's span anyway; it is
// refused before the step count could overflow.
constexpr std::int64_t SPAN_MAX_S = 1000 * SECONDS_PER_DAY_WHOLE;
constexpr int FIELD_RECORDS = 2;  // records a deck is recognised by

// A window refusal that holds for every set of a file, carried past the
// per-set handling.
struct FatalWindow {
    std::exception_ptr error;
};

bool integer_field(std::string_view f) {
    std::size_t i = f.find_first_not_of(" \t");
    if (i == std::string_view::npos) return true;
    if (f[i] == '+' || f[i] == '-') ++i;
    for (; i < f.size(); ++i) {
        if ((f[i] < '0' || f[i] > '9') && f[i] != ' ' && f[i] != '\t') return false;
    }
    return true;
}

// The station sites of a deck, or the sites asked for.
std::vector<Site> sites_or(const WindowRequest& request, int station) {
    if (!request.sites.empty()) return request.sites;
    Site s;
    s.kind = SiteKind::Station;
    s.station = station;
    const std::string_view name = STATAB::STNAME(station);
    s.name = std::string(name.substr(0, name.find_last_not_of(' ') + 1));
    return {s};
}

// A scan of count steps of step seconds (negative backward) from start
// (model seconds), checked against the model's span; place names the start
// (YEAR .. SECOND) or the span (RL_SPAN).
Scan checked_scan(std::int64_t start, std::int32_t step, std::int32_t count, const FieldPlace& place) {
    check_run_line(RunLine{model_datim(start), static_cast<std::int16_t>(step), count, 1}, place);
    return Scan{start, step, count, false};
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

Scan deck_scan(const RunLine& line, const WindowRequest& request, const FieldPlace& deck_place) {
    const std::int64_t deck_start = model_seconds(line.DTSTRT);
    const std::int64_t deck_span = line.NCALC > 0 ? std::int64_t{line.NCALC - 1} * line.ISTEP : 0;
    const bool window = request.start || request.end || request.span_s;
    if (!window && !request.step_s) return Scan{deck_start, line.ISTEP, line.NCALC, false};
    const FieldPlace place = [&](int field) {
        if (field <= SECOND) return request.start ? std::string("--start") : deck_place(field);
        if (field == RL_SPAN && window && !request.span_option.empty()) return request.span_option;
        return field == RL_SPAN && request.step_s ? std::string("--step") : deck_place(field);
    };
    if (!window) {
        // --step alone covers the deck's own span, in its direction.
        const std::int32_t count = line.NCALC > 0 ? static_cast<std::int32_t>(std::llabs(deck_span) / *request.step_s + 1) : 0;
        return checked_scan(deck_start, line.ISTEP < 0 ? -*request.step_s : *request.step_s, count, place);
    }
    const std::int32_t step = request.step_s.value_or(std::abs(line.ISTEP));
    if (step == 0) throw InputError(deck_place(RL_STEP), "a step of 0 cannot cover a window; give --step");
    const std::int64_t start = request.start ? model_seconds(*request.start) : deck_start;
    const std::int64_t end = request.end ? model_seconds(*request.end)
                             : request.span_s ? start + *request.span_s
                                              : start + std::llabs(deck_span);
    return checked_scan(start, step, steps_between(start, end, step, place), place);
}

void read_deck(const std::string& name, const std::string& text, const WindowRequest& request,
               std::vector<PassObject>& objects) {
    if (name == "-" && text.size() > DECK_BYTES_MAX) {
        throw InputError("standard input", "cannot read the deck: larger than 1 MiB");
    }
    Deck deck = name == "-" ? Deck("standard input", text) : Deck::open(name);
    const RunDescription d = read_run_description(deck);
    PassObject o;
    o.label = deck.name();
    o.source = deck.name();
    o.elements = d.elements;
    o.scan = deck_scan(d.line, request, deck_run_line_places(deck, 2));
    o.sites = sites_or(request, d.line.ISTA);
    check_for_scan(o.elements, o.scan, deck_element_places(deck, 3), deck.place(5, 1, 10));
    objects.push_back(std::move(o));
}

// The objects of an element file: each set converted to talik's, its scan
// worked out from its epoch and checked; a set that fails is noted and
// skipped, or ends the run when strict.  A window given by --start fails
// alike for every set, so it ends the run.
void read_elements(const std::string& name, const std::string& text, const WindowRequest& request,
                   std::vector<PassObject>& objects, std::vector<std::string>& notes) {
    ElementSetsRead read = read_element_sets(name, text);
    for (const std::string& p : read.problems) {
        if (request.strict) throw InputError(p);
        notes.push_back(p);
    }
    for (const std::string& w : read.warnings) notes.push_back("warning: " + w);
    const std::vector<MeanElements> sets = request.select ? select_sets(read.sets, *request.select) : read.sets;
    for (const MeanElements& m : sets) {
        try {
            const Converted c = convert_elements(m);
            for (const std::string& w : c.warnings) notes.push_back("warning: " + w);
            PassObject o;
            o.label = std::to_string(m.catalog_number) + (m.name.empty() ? "" : " " + m.name);
            o.source = m.source;
            o.elements = c.set;
            try {
                o.scan = element_scan(request, c.set.EPOCH, m.source);
            } catch (const InputError&) {
                if (request.start) throw FatalWindow{std::current_exception()};
                throw;
            }
            o.sites = sites_or(request, DEFAULT_STATION);
            check_for_scan(o.elements, o.scan, element_places(m), m.source + ": the decay");
            objects.push_back(std::move(o));
        } catch (const InputError& e) {
            if (request.strict) throw;
            notes.push_back(e.what());
        }
    }
}

}  // namespace

bool looks_like_deck(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::string_view records[FIELD_RECORDS];
    for (std::string_view& r : records) {
        const std::size_t end = text.find_first_of("\r\n");
        if (end == std::string_view::npos && text.empty()) return false;
        r = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end);
        if (text.substr(0, 2) == "\r\n") text.remove_prefix(2);
        else if (!text.empty()) text.remove_prefix(1);
    }
    const std::string_view choice = records[0];
    if (choice.size() > 2 && choice.find_first_not_of(" \t", 2) != std::string_view::npos) return false;
    if (!integer_field(choice.substr(0, 2)) || choice.find_first_not_of(" \t") == std::string_view::npos) return false;
    constexpr std::size_t RUN_FIELDS = 9;
    constexpr std::size_t WIDTH = 5;
    const std::string_view run = records[1];
    if (run.find_first_not_of(" \t") == std::string_view::npos) return false;
    for (std::size_t f = 0; f < RUN_FIELDS; ++f) {
        if (!integer_field(f * WIDTH < run.size() ? run.substr(f * WIDTH, WIDTH) : "")) return false;
    }
    return true;
}

void read_source(const std::string& name, const std::string& text, const WindowRequest& request,
                 std::vector<PassObject>& objects, std::vector<std::string>& notes) {
    if (looks_like_deck(text) || !detect_element_format(text)) {
        read_deck(name, text, request, objects);
        return;
    }
    try {
        read_elements(name, text, request, objects, notes);
    } catch (const FatalWindow& w) {
        std::rethrow_exception(w.error);
    }
}

Scan element_scan(const WindowRequest& request, const DATIM& epoch, const std::string& source) {
    std::int64_t start = 0;
    if (request.start) {
        start = model_seconds(*request.start);
    } else {
        start = model_seconds(epoch);
        start += (SECONDS_PER_MINUTE_WHOLE - start % SECONDS_PER_MINUTE_WHOLE) % SECONDS_PER_MINUTE_WHOLE;
    }
    const std::int64_t end = request.end ? model_seconds(*request.end) : start + request.span_s.value_or(DEFAULT_SPAN_S);
    const FieldPlace place = [&](int field) {
        if (field <= SECOND) return request.start ? std::string("--start") : source + ": the window from the epoch";
        return request.span_option.empty() ? source + ": the window from the epoch" : request.span_option;
    };
    const std::int32_t step = request.step_s.value_or(DEFAULT_STEP_S);
    Scan scan = checked_scan(start, step, steps_between(start, end, step, place), place);
    scan.between_steps = true;
    return scan;
}

void check_for_scan(const ElementSet& set, const Scan& scan, const FieldPlace& element_place,
                    const std::string& decay_place) {
    const DATIM start = model_datim(scan.start);
    check_element_set(set, start, element_place);
    if (scan.count <= 0) return;
    ORBEL orbel;
    install_element_set(set, start, orbel);
    check_decay(orbel, start, model_datim(scan.start + std::int64_t{scan.count - 1} * scan.step), decay_place);
}

}  // namespace talik
