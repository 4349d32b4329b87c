// passes_sources.hpp - what talik-passes reads: decks and element-set
// files, turned into checked objects with their scans and sites.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "passes/pass.hpp"
#include "time/datim.hpp"
#include "numeric/constants.hpp"

namespace talik {

// The window, step and sites asked for on the command line; what is unset
// comes from a deck, or from the defaults for element sets.
struct WindowRequest {
    std::optional<DATIM> start;              // --start
    std::optional<DATIM> end;                // --end
    std::optional<std::int64_t> span_s;      // --hours or --days, in seconds
    std::string span_option;                 // which of --end, --hours, --days, for messages
    std::optional<std::int32_t> step_s;      // --step
    std::vector<Site> sites;                 // --station and --site, in order
    std::optional<std::string> select;       // --select
    bool strict = false;                     // --strict
};

// Default site for element sets: station 6, as talik's own tool defaults.
inline constexpr int DEFAULT_STATION = 6;
// Default scan step for element sets, seconds, and window, seconds.
inline constexpr std::int32_t DEFAULT_STEP_S = 20;
inline constexpr std::int64_t DEFAULT_SPAN_S = SECONDS_PER_DAY_WHOLE;

// Whether text is laid out as a deck: a first record holding only an I2
// output choice and a second record of nine I5 fields.
bool looks_like_deck(std::string_view text);

// Reads the source ("-" for standard input, read by the caller into text)
// and appends its objects.  A deck gives one object, an element file one per
// set (after --select).  A set that cannot be used is noted in notes (the
// lines for standard error, with the warnings) and skipped, or thrown as
// InputError when request.strict.
void read_source(const std::string& name, const std::string& text, const WindowRequest& request,
                 std::vector<PassObject>& objects, std::vector<std::string>& notes);

// The scan of an element set whose epoch is epoch: --start or the epoch
// rounded up to a whole minute; --end, --hours or --days or one day; --step
// or 20 s.  Checked against the Sun table's span; throws InputError naming
// the option (or source, for a window from the epoch).
Scan element_scan(const WindowRequest& request, const DATIM& epoch, const std::string& source);

// Checks set for the scan: the element set from the scan's start, the decay
// over it; element_place names a field of the set, decay_place its rate of
// the semi-major axis.
void check_for_scan(const ElementSet& set, const Scan& scan, const FieldPlace& element_place,
                    const std::string& decay_place);

}  // namespace talik
