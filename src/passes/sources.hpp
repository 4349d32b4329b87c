// sources.hpp - what talik-passes and talik-plot read: decks and element-set
// files, turned into checked objects with their scans and sites.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <cstdio>
#include <functional>

#include "numeric/constants.hpp"
#include "passes/pass.hpp"
#include "time/datim.hpp"

namespace talik {

// The window, step and sites asked for on the command line; what is unset
// comes from a deck, or from the defaults for element sets.
struct WindowRequest {
    std::optional<DATIM> start;          // --start
    std::optional<DATIM> end;            // --end
    std::optional<std::int64_t> span_s;  // --hours or --days, in seconds
    std::string span_option;             // which of --end, --hours, --days, for messages
    std::optional<std::int32_t> step_s;  // --step
    std::vector<Site> sites;             // --station and --site, in order
    std::optional<std::string> select;   // --select
    bool strict = false;                 // --strict
    std::int64_t now_unix = 0;           // the clock, seconds since 1970: the default start of element sets
};

// Default site for element sets: station 6, as talik's own tool defaults.
inline constexpr int DEFAULT_STATION = 6;
// Default scan step for element sets, seconds, and window, seconds.
inline constexpr std::int32_t DEFAULT_STEP_S = 20;
inline constexpr std::int64_t DEFAULT_SPAN_S = SECONDS_PER_DAY_WHOLE;

// Appends the objects of the source whose text is given, noting the sets
// skipped and the warnings; returns the number of objects it offered.
std::size_t read_source(const std::string& name, const std::string& text, const WindowRequest& request,
                        std::vector<PassObject>& objects, std::vector<std::string>& notes);

// The scan of an element set, from the options or the defaults, checked.
Scan element_scan(const WindowRequest& request, const std::string& source);

// Days from the epoch of set to the farthest instant of scan.
double days_from_epoch(const ElementSet& set, const Scan& scan);

// Every object of the sources, in order ("-" read from in), each checked
// for its scan, one per object; the lines for standard error go to note.
std::vector<PassObject> read_objects(const std::vector<std::string>& sources, const WindowRequest& request,
                                     std::FILE* in, const std::function<void(const std::string&)>& note);

}  // namespace talik
