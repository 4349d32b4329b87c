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
    bool ellipsoid = false;
    WindowOptions window;
    double min_elevation = 0.0;
    std::optional<std::string> select;
    bool strict = false;
};

// The options SOURCE..., --station, --site, --ellipsoid, the window,
// --min-elevation, --select and --strict.
void add_source_options(CLI::App& app, SourceOptions& o);

// The window and sites asked for; throws InputError naming the option.
WindowRequest window_request(const SourceOptions& o);

// Every object of the sources; a set that cannot be used is reported on
// err as "PROGRAM: ..." and skipped (or thrown, with --strict).
std::vector<PassObject> read_objects(const SourceOptions& o, std::FILE* in, std::FILE* err, const char* program);

// A station from --station ("6", "madrid"): its row of the station table;
// throws InputError naming the option and its value.
int station_option(const std::string& text);

// A site from --site ("LAT,LON[,HEIGHT_M[,NAME]]"); throws InputError naming
// the option and its value.
Site parse_site(const std::string& text, bool ellipsoid, double min_elevation_deg);

// A date-time option: ISO text of a supported date-time; throws InputError
// naming the option.
DATIM datim_option(const std::string& text, const std::string& option);

}  // namespace talik
