// options.hpp - the options the companion programs share, declared and
// read in one place: the window, the stations and sites, the sources.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "passes/pass.hpp"
#include "passes/sources.hpp"
#include "time/datim.hpp"

namespace talik {

// --start, --end, --hours, --days, --step and (talik-deck) --steps, as given.
struct WindowOptions {
    std::optional<std::string> start;
    std::optional<std::string> end;
    std::optional<double> hours;
    std::optional<double> days;
    std::optional<std::int32_t> step;
    std::optional<std::int32_t> steps;
};

// Which program's window: talik-deck's run line (a step of either sign and
// --steps), or a scan of talik-passes and talik-plot.
enum class WindowKind { RunLine, Scan };

void add_window_options(CLI::App& app, WindowOptions& o, WindowKind kind);

// What talik-passes and talik-plot take alike.
struct SourceOptions {
    std::vector<std::string> sources;
    std::vector<std::string> stations;
    std::vector<std::string> sites;
    bool sphere = false;
    bool ellipsoid = false;
    WindowOptions window;
    std::optional<double> min_elevation;
    std::optional<std::string> select;
    bool strict = false;
};

// The options SOURCE..., --station, --site, --sphere, --ellipsoid, the
// window, --min-elevation, --select and --strict.
void add_source_options(CLI::App& app, SourceOptions& o);

// The window and sites asked for, now_unix being the clock (seconds since
// 1970); throws InputError naming the option and what it accepts.
WindowRequest window_request(const SourceOptions& o, std::int64_t now_unix);

// Every object of the sources; a set that cannot be used is reported on
// err as "PROGRAM: ..." and skipped (or thrown, with --strict).
std::vector<PassObject> read_objects(const SourceOptions& o, std::int64_t now_unix, std::FILE* in, std::FILE* err,
                                     const char* program);

// The clock, whole seconds since 1970-01-01 00:00:00 UTC.
std::int64_t clock_now();

// A station from --station ("6", "madrid"): its row of the station table;
// throws InputError naming the option and its value.
int station_option(const std::string& text);

// A site from --site ("LAT,LON[,HEIGHT_M[,NAME]]") of the kind given;
// throws InputError naming the option and its value.
Site parse_site(const std::string& text, SiteKind kind, double min_elevation_deg);

// A date-time option, "now" (now_unix) or an ISO date-time: the model's
// date-time of that instant; throws InputError naming the option.
DATIM datim_option(const std::string& text, const std::string& option, std::int64_t now_unix);

// The length of a window given in hours or days, seconds: finite, above 0
// and within the Sun table's span; throws InputError naming the option.
std::int64_t window_seconds(double amount, double unit_s, const std::string& option);

// A text option that must not be empty ("-o ''"); throws InputError naming it.
const std::string& nonempty(const std::string& value, const std::string& option);

}  // namespace talik
