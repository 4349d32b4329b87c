// deck_cli.cpp - talik-deck: options, the element sets read and chosen, one
// deck written for each, or a deck checked.
#include "app/deck_cli.hpp"

#include <CLI/CLI.hpp>

#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/exit_status.hpp"
#include "app/source_options.hpp"
#include "app/tool.hpp"
#include "elements/convert.hpp"
#include "format/deck.hpp"
#include "format/pending_file.hpp"
#include "numeric/constants.hpp"
#include "orbit/check_elements.hpp"
#include "orbit/elminp.hpp"
#include "predict/deck_text.hpp"
#include "predict/run_description.hpp"
#include "predict/statab.hpp"
#include "report/deck_check.hpp"
#include "time/addtim.hpp"
#include "time/check_date.hpp"
#include "time/iso_datim.hpp"

namespace talik {

namespace {

constexpr std::int32_t MOST_STEPS = 99999;
constexpr int LONGEST_BACK_STEP = -9999;  // five columns

struct Options {
    std::string source;
    std::string check;
    std::string select;
    std::string station = "6";
    std::string start;
    std::string end;
    int step = 60;
    std::int32_t steps = 0;
    double hours = 0.0;
    std::string output = "console";
    std::string out_file;
    std::string out_dir;
};

// The number of steps the options ask for, from start.
std::int32_t step_count(const Options& o, const DATIM& start) {
    if (o.step == 0 || o.step < LONGEST_BACK_STEP || o.step > 32767) {
        throw InputError("--step", std::to_string(o.step) + " is outside -9999 to 32767 or 0 (the run line's five "
                                                            "columns)");
    }
    const double magnitude = std::abs(o.step);
    double count = std::ceil(SECONDS_PER_DAY / magnitude);
    if (o.steps != 0) count = o.steps;
    if (o.hours != 0.0) count = std::ceil(o.hours * SECONDS_PER_HOUR / magnitude);
    if (!o.end.empty()) {
        const double span = static_cast<double>(unix_seconds(checked_datim(o.end, "--end")) - unix_seconds(start));
        if (span * o.step < 0.0) throw InputError("--end", "the end lies on the other side of the start from the step");
        count = std::floor(span / o.step) + 1.0;
    }
    if (!(count >= 1.0 && count <= MOST_STEPS)) {
        throw InputError("--steps", "the run needs " + std::to_string(static_cast<long long>(count)) +
                                        " steps; a deck holds 1 to 99999");
    }
    return static_cast<std::int32_t>(count);
}

RunDescription describe(const Options& o, const MeanElements& m, std::FILE* err) {
    const Converted c = convert_elements(m);
    for (const std::string& w : c.warnings) std::fprintf(err, "talik-deck: %s\n", w.c_str());
    RunDescription d;
    d.IOUT = o.output == "console" ? IOUT_CONSOLE : o.output == "file" ? IOUT_FILE : IOUT_NONE;
    d.elements = c.set;
    // The default start: the element epoch rounded up to the next minute.
    const std::int64_t epoch_s = (m.epoch_us + 999999) / 1000000;
    d.line.DTSTRT = o.start.empty() ? utc_datim((epoch_s + 59) / 60 * 60) : checked_datim(o.start, "--start");
    d.line.ISTEP = static_cast<std::int16_t>(o.step);
    d.line.NCALC = step_count(o, d.line.DTSTRT);
    d.line.ISTA = static_cast<std::int16_t>(STATAB::find(o.station));
    if (d.line.ISTA == 0) throw InputError("--station", "\"" + o.station + "\" is not a station: 1 to 8 or a name");
    check_run_line(d.line, [](int field) { return field < RL_STEP ? std::string("--start") : std::string("--step and the window"); });
    check_element_set(d.elements, d.line.DTSTRT, element_places(m));
    ORBEL orbel;
    install_element_set(d.elements, d.line.DTSTRT, orbel);
    check_decay(orbel, d.line.DTSTRT, after_steps(d.line.DTSTRT, d.line.NCALC - 1, d.line.ISTEP),
                m.source + ", mean motion derivative");
    const double days = std::fabs(static_cast<double>(unix_seconds(d.line.DTSTRT) - epoch_s)) / SECONDS_PER_DAY;
    if (days > ELEMENTS_AGE_DAYS) {
        std::fprintf(err, "talik-deck: %s: the start lies %.1f days from the epoch; element sets age: predictions degrade\n",
                     m.source.c_str(), days);
    }
    return d;
}

void write_text(const std::string& path, const std::string& text, std::FILE* out) {
    if (path.empty()) {
        if (std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fflush(out) != 0) {
            throw OutputError("cannot write to standard output", errno);
        }
        return;
    }
    PendingFile::replace(path, text);
}

// The sets to write: every one with --out-dir; otherwise one, the newest of
// the one object the source (or --select) names.
std::vector<MeanElements> chosen_sets(const Options& o, const std::vector<MeanElements>& read) {
    std::vector<MeanElements> sets = o.select.empty() ? read : select_sets(read, o.select);
    const std::string shown = o.source == "-" ? "standard input" : o.source;
    if (sets.empty()) {
        throw InputError(shown, o.select.empty() ? "no element set could be read"
                                                 : "no element set matches \"" + o.select + "\"");
    }
    if (!o.out_dir.empty()) return sets;
    const MeanElements* newest = &sets.front();
    for (const MeanElements& m : sets) {
        if (m.catalog_number != newest->catalog_number) {
            throw InputError(shown, "holds element sets of several objects; pick one with --select or write one "
                                    "deck each with --out-dir");
        }
        if (m.epoch_us > newest->epoch_us) newest = &m;
    }
    return {*newest};
}

int write_decks(const Options& o, std::FILE* out, std::FILE* err) {
    const ElementSetsRead read = read_element_file(o.source);
    for (const std::string& p : read.problems) std::fprintf(err, "talik-deck: %s\n", p.c_str());
    for (const std::string& w : read.warnings) std::fprintf(err, "talik-deck: %s\n", w.c_str());
    const std::vector<MeanElements> sets = chosen_sets(o, read.sets);
    if (o.out_dir.empty()) {
        write_text(o.out_file, deck_text(describe(o, sets.front(), err)), out);
        return 0;
    }
    int status = 0;
    std::map<std::int32_t, int> written;
    for (const MeanElements& m : sets) {
        try {
            const int n = ++written[m.catalog_number];
            const std::string name = std::to_string(m.catalog_number) + (n > 1 ? "-" + std::to_string(n) : "");
            write_text((std::filesystem::path(o.out_dir) / (name + ".deck")).string(), deck_text(describe(o, m, err)), out);
        } catch (const InputError& e) {
            std::fprintf(err, "talik-deck: %s\n", e.what());
            status = EXIT_FAILED;
        }
    }
    return status;
}

int check(const Options& o, std::FILE* out) {
    const DeckCheck result = check_deck(Deck::open(o.check));
    std::string text = result.listing;
    text += result.warnings.empty() ? "no warnings\n" : std::to_string(result.warnings.size()) + " warning" +
                                                            (result.warnings.size() == 1 ? "" : "s") + ":\n";
    for (const std::string& w : result.warnings) text += "  " + w + "\n";
    write_text("", text, out);
    return 0;
}

void define(CLI::App& app, Options& o) {
    app.add_option("source", o.source, "element sets: TLE, 3LE or OMM (KVN, XML, JSON, CSV); - for standard input");
    app.add_option("--check", o.check, "read a hand-made DECK, show every field, warn about likely slips");
    app.add_option("--select", o.select, "pick one element set by catalogue number or name");
    app.add_option("--station", o.station, "one of the eight stations, by number or name (default 6)");
    app.add_option("--start", o.start, "UTC start YYYY-MM-DDTHH:MM:SS (default: the epoch rounded up to a minute)");
    app.add_option("--step", o.step, "seconds, 1 to 32767 or -9999 to -1 (default 60)");
    auto* steps = app.add_option("--steps", o.steps, "number of steps (default: one day)");
    auto* hours = app.add_option("--hours", o.hours, "the run's length in hours");
    auto* end = app.add_option("--end", o.end, "UTC end YYYY-MM-DDTHH:MM:SS");
    steps->excludes(hours)->excludes(end);
    hours->excludes(end);
    app.add_option("--output", o.output, "console, file (KESTAD.DAT) or none (default console)")
        ->check(CLI::IsMember({"console", "file", "none"}));
    auto* file = app.add_option("-o", o.out_file, "write the deck to FILE instead of standard output");
    auto* dir = app.add_option("--out-dir", o.out_dir, "write one deck per element set, NUMBER.deck, into DIR");
    file->excludes(dir);
}

}  // namespace

int talik_deck_main(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    CLI::App app{"talik-deck: from element sets (TLE, 3LE, OMM) to talik's input deck, and a checker for hand-made decks.",
                 "talik-deck"};
    Options o;
    define(app, o);
    return run_tool("talik-deck", app, argc, argv, out, err, [&] {
        if (o.check.empty() == o.source.empty()) throw CLI::ValidationError("give either FILE or --check DECK");
        return o.check.empty() ? write_decks(o, out, err) : check(o, out);
    });
}

}  // namespace talik
