// talik_passes_main - talik-passes' command line, its run and output.
//
// Given:    argc, argv        the command line
//           in, out, err      FILE*  standard input, output and error
// Returned: (value)           int    the exit status (exit_status.hpp)
//
// Notes:
//  - The passes are numbered in the order they are listed, every pass of
//    the window counting, so --visible-only leaves numbers out and the
//    numbers stay those talik-plot's --pass takes.
//  - A calendar file's time stamp is SOURCE_DATE_EPOCH when it is set (a
//    malformed one is refused), otherwise the clock.
#include "app/passes_cli.hpp"

#include <unistd.h>

#include <CLI/CLI.hpp>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <thread>

#include "app/options.hpp"
#include "app/tool.hpp"
#include "format/output_file.hpp"
#include "passes/output.hpp"
#include "passes/run_passes.hpp"
#include "passes/track.hpp"
#include "format/text.hpp"
#include "time/time_zone.hpp"

namespace talik {

namespace {

constexpr const char* PROGRAM = "talik-passes";

constexpr std::int32_t TRACK_SPACING_MAX_S = 3600;
constexpr double FREQUENCY_MAX_MHZ = 1.0e6;  // 1 THz: beyond any radio link

struct Options {
    SourceOptions sources;
    std::string format = "table";
    std::string output = "-";
    unsigned threads = 0;
    bool visible_only = false;
    std::optional<std::int32_t> track_s;
    std::optional<double> frequency_mhz;
    std::optional<std::string> time_zone;
};

// "talik-passes: 120 of 2000 objects, 35.2 a second, 53 s left", redrawn in place.
class ProgressLine {
public:
    explicit ProgressLine(std::FILE* err, std::size_t sites) : err_(err), sites_(std::max<std::size_t>(sites, 1)) {}
    void operator()(std::size_t done, std::size_t total) {
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
        const double rate = elapsed > 0.0 ? static_cast<double>(done) / elapsed : 0.0;
        const double left = rate > 0.0 ? static_cast<double>(total - done) / rate : 0.0;
        if (done == 0) {
            std::fprintf(err_, "\r%s: 0 of %zu objects\x1b[K", PROGRAM, total / sites_);
        } else {
            std::fprintf(err_, "\r%s: %zu of %zu objects, %.1f a second, %.0f s left\x1b[K", PROGRAM, done / sites_,
                         total / sites_, rate / static_cast<double>(sites_), left);
        }
        if (done == total) std::fputs("\r\x1b[K", err_);
        std::fflush(err_);
    }

private:
    std::FILE* err_;
    std::size_t sites_;
    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
};

OutputFormat output_format(const std::string& name) {
    if (name == "csv") return OutputFormat::Csv;
    if (name == "json") return OutputFormat::Json;
    if (name == "ics") return OutputFormat::Ics;
    return OutputFormat::Table;
}

// The calendar's time stamp: SOURCE_DATE_EPOCH when it is set, as
// reproducible builds set it, otherwise the clock.
std::int64_t calendar_stamp(std::int64_t now) {
    const char* fixed = std::getenv("SOURCE_DATE_EPOCH");
    if (fixed == nullptr) return now;
    const std::string text = fixed;
    if (text.empty() || text.size() > 15 || text.find_first_not_of("0123456789") != std::string::npos) {
        throw InputError("SOURCE_DATE_EPOCH " + quote(text), "not a count of seconds since 1970");
    }
    return std::stoll(text);
}

OutputOptions output_options(const Options& o, std::int64_t now) {
    OutputOptions out;
    out.format = output_format(o.format);
    if (o.time_zone) out.zone = TimeZone::named(*o.time_zone, "--time-zone " + quote(*o.time_zone));
    if (o.track_s) {
        if (*o.track_s < 1 || *o.track_s > TRACK_SPACING_MAX_S) {
            throw InputError("--track " + std::to_string(*o.track_s),
                             "the spacing must be 1 to " + std::to_string(TRACK_SPACING_MAX_S) + " seconds");
        }
        if (out.format == OutputFormat::Ics) throw InputError("--track", "a calendar file holds passes, not tracks");
        out.track_s = o.track_s;
    }
    if (o.frequency_mhz) {
        if (!o.track_s) throw InputError("--frequency", "the Doppler shift is a column of the track: give --track");
        if (!(*o.frequency_mhz > 0.0 && *o.frequency_mhz <= FREQUENCY_MAX_MHZ)) {
            throw InputError("--frequency " + std::to_string(*o.frequency_mhz),
                             "the frequency must be above 0 and at most 1000000 MHz");
        }
        out.frequency_mhz = o.frequency_mhz;
    }
    if (out.format == OutputFormat::Ics) out.stamp_unix = calendar_stamp(now);
    return out;
}

void run(const Options& o, std::FILE* in, std::FILE* out, std::FILE* err) {
    const std::int64_t now = clock_now();
    const OutputOptions output_opts = output_options(o, now);
    const std::vector<PassObject> objects = read_objects(o.sources, now, in, err, PROGRAM);
    const std::size_t sites = o.sources.stations.size() + o.sources.sites.size();
    std::size_t object_width = 0;
    std::size_t site_width = 0;
    for (const PassObject& obj : objects) {
        object_width = std::max(object_width, obj.label.size());
        for (const Site& s : obj.sites) site_width = std::max(site_width, s.name.size());
    }
    const auto output = OutputFile::open("-o", o.output, out, Inputs{o.sources.sources, in});
    PassWriter writer(output_opts, output->stream(), output->cannot_write(), object_width, site_width);
    writer.begin();
    Progress progress;
    if (isatty(fileno(err)) != 0) progress = ProgressLine(err, sites == 0 ? 1 : sites);
    const unsigned threads = o.threads > 0 ? o.threads : std::max(1U, std::thread::hardware_concurrency());
    std::size_t number = 0;  // every pass is numbered, also one --visible-only leaves out
    run_passes(
        objects, threads,
        [&](const PassObject& object, const Site& site, std::vector<Pass>& passes) {
            for (const Pass& p : passes) {
                ++number;
                if (o.visible_only && p.visible_s == 0) continue;
                writer.write(number, p,
                             o.track_s ? pass_track(object, site, p, *o.track_s) : std::vector<TrackPoint>{});
            }
        },
        progress);
    writer.end();
    output->commit();
}

void define(CLI::App& app, Options& o) {
    add_source_options(app, o.sources);
    app.add_option("--format", o.format, "table, csv, json or ics (a calendar file; default table)")
        ->check(CLI::IsMember({"table", "csv", "json", "ics"}));
    app.add_flag("--visible-only", o.visible_only, "only the passes that can be seen against a dark sky");
    app.add_option("--track", o.track_s, "a pointing track of each pass, one row every SECONDS (1 to 3600)");
    app.add_option("--frequency", o.frequency_mhz, "with --track: the Doppler shift of a signal of MHZ megahertz");
    app.add_option("--time-zone", o.time_zone, "show the table's times in this zone of the system's database");
    app.add_option("-o", o.output, "write to FILE, replaced only when the run succeeds (- standard output)");
    app.add_option("--threads", o.threads, "worker threads (default: all cores)")->check(CLI::Range(1U, 1024U));
}

}  // namespace

int talik_passes_main(int argc, const char* const* argv, std::FILE* in, std::FILE* out, std::FILE* err) {
    CLI::App app{"Rise, culmination and set of satellites over stations and sites, as a table, CSV, JSON or a "
                 "calendar file; their visibility and pointing tracks.",
                 PROGRAM};
    Options o;
    define(app, o);
    return run_tool(PROGRAM, app, argc, argv, out, err, [&] {
        run(o, in, out, err);
        return 0;
    });
}

}  // namespace talik
