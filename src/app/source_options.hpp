// source_options.hpp - what talik-passes and talik-plot take alike: the
// sources (decks and element-set files), the stations and sites, and the
// window; turned into checked objects to predict.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/passes_sources.hpp"
#include "passes/pass.hpp"
#include "time/datim.hpp"

namespace talik {

struct SourceOptions {
    std::vector<std::string> sources;
    std::vector<std::string> stations;
    std::vector<std::string> sites;
    bool ellipsoid = false;
    std::string start;
    std::string end;
    double hours = 0.0;
    double days = 0.0;
    std::int32_t step = 0;
    double min_elevation = 0.0;
    std::string select;
    bool strict = false;
};

// The options SOURCE..., --station, --site, --ellipsoid, --start, --end,
// --hours, --days, --step, --min-elevation, --select and --strict.
void add_source_options(CLI::App& app, SourceOptions& o);

// The window and sites asked for; throws InputError naming the option.
WindowRequest window_request(const SourceOptions& o);

// Every object of the sources ("-" reads in), checked for its scan; a set
// that cannot be used is reported on err as "PROGRAM: ..." and skipped (or
// thrown, with --strict).  Throws InputError when --select matches nothing.
std::vector<PassObject> read_objects(const SourceOptions& o, std::FILE* in, std::FILE* err, const char* program);

// A site from --station ("6", "madrid") or --site ("LAT,LON[,HEIGHT_M[,NAME]]");
// throws InputError naming the option and its value.
Site parse_station(const std::string& text);
Site parse_site(const std::string& text, bool ellipsoid, double min_elevation_deg);

// A date-time option: ISO text of a supported date-time; throws InputError
// naming the option.
DATIM checked_datim(const std::string& text, const std::string& option);

// text in double quotes, for messages.
std::string quoted(const std::string& text);

}  // namespace talik
