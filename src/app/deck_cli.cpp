// talik_deck_main - talik-deck: options, the element sets read and chosen,
// one deck written for each object, or a deck checked.
//
// Given:    argc, argv  the command line
//           out, err    FILE*  standard output and error
// Returned: (value)     int    the exit status (exit_status.hpp);
//                              warnings leave it 0
//
// Notes:
//  - talik-deck [options] FILE|- writes a deck for one element set (or one
//    per object); talik-deck --check DECK shows a hand-made deck field by
//    field.
//  - The deck's run starts at the element set's epoch rounded up to a whole
//    minute unless --start says otherwise (talik-passes starts now: a deck
//    is usually made to be run from its epoch), and is checked by
//    check_run as talik checks it.
//  - Of several sets of one object the newest is used; --out-dir writes
//    one deck per object and says what it replaced.
#include "app/deck_cli.hpp"

#include <CLI/CLI.hpp>

#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/exit_status.hpp"
#include "app/options.hpp"
#include "app/tool.hpp"
#include "deck/deck_check.hpp"
#include "orbit/check_elements.hpp"
#include "deck/deck_text.hpp"
#include "deck/run_description.hpp"
#include "elements/convert.hpp"
#include "format/deck.hpp"
#include "format/output_file.hpp"
#include "format/text.hpp"
#include "numeric/constants.hpp"
#include "time/model_calendar.hpp"

namespace talik {

namespace {

constexpr std::int32_t MOST_STEPS = 99999;
constexpr int LONGEST_BACK_STEP = -9999;  // five columns
constexpr int LONGEST_STEP = 32767;
constexpr std::int32_t DEFAULT_STEP_S = 60;
constexpr const char* DEFAULT_STATION = "6";

struct Options {
    std::optional<std::string> source;
    std::optional<std::string> check;
    std::optional<std::string> select;
    std::string station = DEFAULT_STATION;
    WindowOptions window;
    std::string output = "console";
    std::optional<std::string> out_file;
    std::optional<std::string> out_dir;
};

void print_lines(std::FILE* err, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) std::fprintf(err, "talik-deck: %s\n", printable(line).c_str());
}

// The run's step, seconds.
std::int32_t run_step(const Options& o) {
    const std::int32_t step = o.window.step.value_or(DEFAULT_STEP_S);
    if (step == 0 || step < LONGEST_BACK_STEP || step > LONGEST_STEP) {
        throw InputError("--step " + std::to_string(step), "the step must be 1 to 32767 or -9999 to -1 seconds (the "
                                                           "run line's five columns)");
    }
    return step;
}

// The number of steps the options ask for, from start.
std::int32_t step_count(const Options& o, const DATIM& start, std::int32_t step, std::int64_t now) {
    const WindowOptions& w = o.window;
    const std::int64_t magnitude = std::abs(step);
    std::int64_t span_s = SECONDS_PER_DAY_WHOLE;
    std::string option = "--step";
    if (w.hours) span_s = window_seconds(*w.hours, SECONDS_PER_HOUR, option = "--hours");
    if (w.days) span_s = window_seconds(*w.days, SECONDS_PER_DAY, option = "--days");
    std::int64_t count = (span_s + magnitude - 1) / magnitude;
    if (w.steps) {
        count = *w.steps;
        option = "--steps";
    }
    if (w.end) {
        const std::int64_t span = model_seconds(datim_option(*w.end, "--end", now)) - model_seconds(start);
        if ((span < 0) != (step < 0) && span != 0) {
            throw InputError("--end", "the end lies on the other side of the start from the step");
        }
        count = span / step + 1;
        option = "--end";
    }
    if (count < 1 || count > MOST_STEPS) {
        throw InputError(option, "the run needs " + std::to_string(count) + " steps; a deck holds 1 to " +
                                     std::to_string(MOST_STEPS));
    }
    return static_cast<std::int32_t>(count);
}

RunDescription describe(const Options& o, const MeanElements& m, std::int64_t now, std::FILE* err) {
    const Converted c = convert_elements(m);
    print_lines(err, c.warnings);
    RunDescription d;
    d.IOUT = o.output == "console" ? IOUT_CONSOLE : o.output == "file" ? IOUT_FILE : IOUT_NONE;
    d.elements = c.set;
    const std::int64_t epoch = model_seconds(c.set.EPOCH);
    d.line.DTSTRT = o.window.start ? datim_option(*o.window.start, "--start", now)
                                   : model_datim(next_whole_minute(epoch));
    const std::int32_t step = run_step(o);
    d.line.ISTEP = static_cast<std::int16_t>(step);
    d.line.NCALC = step_count(o, d.line.DTSTRT, step, now);
    d.line.ISTA = static_cast<std::int16_t>(station_option(o.station));
    const FieldPlace run_place = [](int field) {
        return field < RL_STEP ? std::string("--start") : std::string("--step and the window");
    };
    check_run(d.line, d.elements, RunPlaces{run_place, element_places(m), m.source + ", mean motion derivative"});
    const double days = std::fabs(static_cast<double>(model_seconds(d.line.DTSTRT) - epoch)) / SECONDS_PER_DAY;
    if (days > ELEMENTS_AGE_DAYS) {
        char text[160];
        std::snprintf(text, sizeof text,
                      ": the start lies %.1f days from the epoch; element sets age: predictions degrade", days);
        print_lines(err, {m.source + text});
    }
    return d;
}

// text to path ("-" standard output), never over the source.
void write_text(const Options& o, const std::string& option, const std::string& path, const std::string& text,
                std::FILE* out) {
    OutputFile::write_whole(option, path, out, Inputs{{*o.source}, stdin}, text);
}

// The sets to write: the newest of each object; without --out-dir, of the
// one object the source (or --select) names.
std::vector<MeanElements> chosen_sets(const Options& o, const std::vector<MeanElements>& read, std::FILE* err) {
    const std::vector<MeanElements> sets = o.select ? select_sets(read, nonempty(*o.select, "--select")) : read;
    const std::string shown = source_name(*o.source);
    if (sets.empty()) {
        throw InputError(shown,
                         o.select ? "no element set matches " + quote(*o.select) : "no element set could be read");
    }
    std::vector<MeanElements> newest = newest_sets(sets);
    if (newest.size() < sets.size()) {
        std::fprintf(err, "talik-deck: %s\n", printable(older_sets_note(shown, sets.size() - newest.size())).c_str());
    }
    if (!o.out_dir && newest.size() > 1) {
        throw InputError(shown, "holds element sets of " + std::to_string(newest.size()) +
                                    " objects; pick one with --select or write one deck each with --out-dir");
    }
    return newest;
}

// One deck per object into --out-dir, named after its catalogue number;
// a deck of that name already there is replaced, other files are left as
// they are, and a line on err says so.
int write_deck_files(const Options& o, const std::vector<MeanElements>& sets, std::int64_t now, std::FILE* out,
                     std::FILE* err) {
    const std::string dir = nonempty(*o.out_dir, "--out-dir");
    int status = EXIT_OK;
    std::size_t written = 0;
    std::size_t replaced = 0;
    for (const MeanElements& m : sets) {
        try {
            const std::filesystem::path path = std::filesystem::path(dir) /
                                               (std::to_string(m.catalog_number) + ".deck");
            std::error_code ec;
            const bool existed = std::filesystem::exists(path, ec);
            write_text(o, "--out-dir", path.string(), deck_text(describe(o, m, now, err)), out);
            ++written;
            replaced += existed ? 1 : 0;
        } catch (const InputError& e) {
            print_lines(err, {e.what()});
            status = EXIT_FAILED;
        }
    }
    print_lines(err, {dir + ": " + std::to_string(written) + " deck" + (written == 1 ? "" : "s") + " written, " +
                      std::to_string(replaced) +
                      " of them in place of a deck of the same name; other files are left "
                      "as they are"});
    return status;
}

int write_decks(const Options& o, std::FILE* out, std::FILE* err) {
    const std::int64_t now = clock_now();
    ElementSetsRead read = read_element_file(*o.source);
    print_lines(err, read.problems.shown());
    print_lines(err, read.warnings.shown());
    const std::vector<MeanElements> sets = chosen_sets(o, read.sets, err);
    if (o.out_dir) return write_deck_files(o, sets, now, out, err);
    write_text(o, "-o", o.out_file ? nonempty(*o.out_file, "-o") : "-", deck_text(describe(o, sets.front(), now, err)),
               out);
    return EXIT_OK;
}

int check(const Options& o, std::FILE* out) {
    const DeckCheck result = check_deck(Deck::open(nonempty(*o.check, "--check")));
    std::string text;
    std::size_t from = 0;
    // The deck's records and name are shown as they are, but for control
    // characters, which would move the terminal's cursor.
    for (std::size_t end = 0; (end = result.listing.find('\n', from)) != std::string::npos; from = end + 1) {
        text += printable(std::string_view(result.listing).substr(from, end - from)) + "\n";
    }
    text += result.warnings.empty() ? "no warnings\n"
                                    : std::to_string(result.warnings.size()) + " warning" +
                                          (result.warnings.size() == 1 ? "" : "s") + ":\n";
    for (const std::string& w : result.warnings) text += "  " + printable(w) + "\n";
    OutputFile::write_whole("--check", "-", out, Inputs{}, text);
    return EXIT_OK;
}

void define(CLI::App& app, Options& o) {
    app.add_option("source", o.source, "element sets: TLE, 3LE or OMM (KVN, XML, JSON, CSV); - for standard input");
    app.add_option("--check", o.check, "read a hand-made DECK, show every field, warn about likely slips");
    app.add_option("--select", o.select, "pick one element set by catalogue number or name");
    app.add_option("--station", o.station, "one of the eight stations, by number or name (default 6)");
    add_window_options(app, o.window, WindowKind::RunLine);
    app.add_option("--output", o.output, "console, file (KESTAD.DAT) or none (default console)")
        ->check(CLI::IsMember({"console", "file", "none"}));
    auto* file = app.add_option("-o", o.out_file, "write the deck to FILE instead of standard output (-)");
    auto* dir = app.add_option("--out-dir", o.out_dir,
                               "write one deck per object (its newest set), NUMBER.deck, into DIR, replacing a deck of "
                               "that name");
    file->excludes(dir);
}

}  // namespace

int talik_deck_main(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    CLI::App app{
        "talik-deck: from element sets (TLE, 3LE, OMM) to talik's input deck, and a checker for hand-made decks.",
        "talik-deck"};
    Options o;
    define(app, o);
    return run_tool("talik-deck", app, argc, argv, out, err, [&] {
        if (o.check.has_value() == o.source.has_value()) throw CLI::ValidationError("give either FILE or --check DECK");
        return o.check ? check(o, out) : write_decks(o, out, err);
    });
}

}  // namespace talik
