// elements.hpp - element sets as catalogues publish them: two-line sets (with
// or without a name line) and mean-element messages in KVN, XML, JSON and
// CSV, read into one plain record each, unconverted.
//
//   const talik::ElementSetsRead read = talik::read_element_file("active.json");
//   for (const std::string& line : read.problems) std::cerr << "talik: " << line << '\n';
//   for (const talik::MeanElements& set : talik::select_sets(read.sets, "ISS")) ...
//
// Every encoding of the same set gives the same record (apart from where it
// came from and the forms of its name and international designator): decimal
// text is converted once, correctly rounded, and epochs are counted in whole
// microseconds from the text's own digits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/errors.hpp"

namespace talik {

// One element set as a catalogue gives it: SGP4 mean elements (TEME), unconverted.
struct MeanElements {
    std::string name;             // object name; "" when the source has none (a bare two-line set)
    std::int32_t catalog_number;  // NORAD catalogue number; Alpha-5 decoded (A0000 = 100000 ... Z9999 = 339999)
    std::string object_id;        // international designator as the source gives it ("1998-067A" or "98067A"); may be ""
    std::int64_t epoch_us;        // epoch, microseconds since 1970-01-01T00:00:00 UTC (no leap seconds)
    double mean_motion;           // rev/day
    double eccentricity;
    double inclination_deg, raan_deg, arg_perigee_deg, mean_anomaly_deg;
    double mean_motion_dot;       // as the field stands: first derivative of mean motion / 2, rev/day^2
    double mean_motion_ddot;      // as the field stands: second derivative / 6, rev/day^3
    double bstar;                 // 1/earth radii
    std::int32_t rev_at_epoch;    // revolution number at epoch (0 when absent)
    std::string source;           // "FILE, line N" or "FILE, entry K": where the set started, for messages
};

struct ElementSetsRead {
    std::vector<MeanElements> sets;     // in file order
    std::vector<std::string> problems;  // one line per skipped set: file, line (or entry) and field
    std::vector<std::string> warnings;  // one line each, e.g. a set of SGP4-XP elements
};

enum class ElementFormat { TwoLine, Kvn, Xml, Json, Csv };

// The largest source read (bytes), the longest line of a line-based source
// (TLE, KVN, CSV) and the longest field text that is converted.
inline constexpr std::size_t kMaxElementSourceBytes = std::size_t{64} * 1024 * 1024;
inline constexpr std::size_t kMaxElementLineBytes = 4096;
inline constexpr std::size_t kMaxElementFieldBytes = 256;

// The format a text is in, judged from its first lines; nullopt when it is
// none of them.  Two-line sets (looked for first, as a name line may hold
// anything): a line starting "1 " followed by one starting "2 ", as the
// first or second line that is not blank.  KVN: the first line
// other than blanks and COMMENT starts with CCSDS_OMM_VERS.  XML: starts
// with '<'.  JSON: starts with '[' or '{'.  CSV: the first line is a header
// with an EPOCH column.  A UTF-8 byte order mark and leading blanks are skipped.
std::optional<ElementFormat> detect_element_format(std::string_view text);

// Reads every element set of one source; name is what messages call it (a
// path, or "-" shown as "standard input").  A set that cannot be read is
// skipped with one line in problems; the others are read.  Throws
// InputError, one line naming the source (and the line or offset), for a
// source that cannot be read at all: empty, larger than
// kMaxElementSourceBytes, a line longer than kMaxElementLineBytes, in no
// known format, malformed JSON or XML, a CSV header without the columns.
ElementSetsRead read_element_sets(const std::string& name, std::string_view text);
// The same with the format given rather than detected.
ElementSetsRead read_element_sets(const std::string& name, std::string_view text, ElementFormat format);
// Reads a file ("-" for standard input), refusing one larger than kMaxElementSourceBytes.
ElementSetsRead read_element_file(const std::string& path);

// The sets of one object, in file order:
// - a catalogue number ("25544", or Alpha-5 "A0001") picks every set with it;
// - otherwise a name or international designator matched whole, ignoring
//   case ("iss (zarya)", "1998-067a"), picks every set so named;
// - otherwise the start of a name ("iss"), when the sets it starts all
//   belong to one object (one catalogue number).
// Nothing matched gives an empty list; a start shared by several objects
// throws InputError listing (some of) them.
std::vector<MeanElements> select_sets(const std::vector<MeanElements>& sets, std::string_view name_or_number);

}  // namespace talik
