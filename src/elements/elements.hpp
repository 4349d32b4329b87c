// elements.hpp - element sets as catalogues publish them: two-line sets (with
// or without a name line) and mean-element messages in KVN, XML, JSON and
// CSV, read into one plain record each, unconverted.
//
//   const talik::ElementSetsRead read = talik::read_element_file("active.json");
//   for (const std::string& line : read.problems.shown()) std::cerr << "talik: " << line << '\n';
//   for (const talik::MeanElements& set : talik::select_sets(read.sets, "ISS")) ...
//
// Every encoding of the same set gives the same record (apart from where it
// came from and the forms of its name and international designator): decimal
// text is converted once, correctly rounded, and epochs are counted in whole
// microseconds from the text's own digits.
#pragma once

#include <cstdint>
#include <cstdio>
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
    std::string object_id;  // international designator as the source gives it ("1998-067A" or "98067A"); may be ""
    std::int64_t epoch_us;  // epoch, microseconds since 1970-01-01T00:00:00 UTC (no leap seconds)
    double mean_motion;     // rev/day
    double eccentricity;
    double inclination_deg, raan_deg, arg_perigee_deg, mean_anomaly_deg;
    double mean_motion_dot;     // as the field stands: first derivative of mean motion / 2, rev/day^2
    double mean_motion_ddot;    // as the field stands: second derivative / 6, rev/day^3
    double bstar;               // 1/earth radii
    std::int32_t rev_at_epoch;  // revolution number at epoch (0 when absent)
    std::string source;         // "FILE, line N" or "FILE, entry K": where the set started, for messages
};

// Lines about the sets of one source (problems, warnings), one per entry:
// the first LINES_KEPT are kept and the others only counted, so that a file
// of millions of bad entries costs a few lines of memory and of messages.
inline constexpr std::size_t LINES_KEPT = 10;

class SummarisedLines {
public:
    // source: the source's name in messages; dropped: what the summary calls
    // the lines not kept ("entries refused", "warnings").
    SummarisedLines(std::string source, std::string dropped);

    void add(std::string line);
    std::size_t count() const { return count_; }  // every line added, kept or not
    bool empty() const { return count_ == 0; }
    const std::vector<std::string>& kept() const { return kept_; }
    // What a program prints: the lines kept, then, when others were
    // dropped, "SOURCE: ... and 4999990 more entries refused".
    std::vector<std::string> shown() const;

private:
    std::string source_;
    std::string dropped_;
    std::vector<std::string> kept_;
    std::size_t count_ = 0;
};

struct ElementSetsRead {
    explicit ElementSetsRead(const std::string& source)
        : problems(source, "entries refused"), warnings(source, "warnings") {}

    std::vector<MeanElements> sets;  // in file order
    SummarisedLines problems;        // one line per skipped set: file, line (or entry) and field
    SummarisedLines warnings;        // one line each, e.g. a set of SGP4-XP elements
};

enum class ElementFormat { TwoLine, Kvn, Xml, Json, Csv };

// The largest source read (bytes), the longest line of a line-based source
// (TLE, KVN, CSV) and the longest field text that is converted.
inline constexpr std::size_t MAX_ELEMENT_SOURCE_BYTES = std::size_t{64} * 1024 * 1024;
inline constexpr std::size_t MAX_ELEMENT_LINE_BYTES = 4096;
inline constexpr std::size_t MAX_ELEMENT_FIELD_BYTES = 256;
// The most columns of a CSV table (catalogues serve 17 to 40).
inline constexpr std::size_t MAX_CSV_COLUMNS = 1024;
// An XML document is parsed whole, into a tree of 64 bytes a node; it may
// hold one element, text or attribute per XML_BYTES_PER_NODE bytes, or
// XML_NODES_FLOOR in all if that is more (a catalogue holds one per 30
// bytes), so that its tree takes at most 4 bytes per byte of the document.
inline constexpr std::size_t XML_BYTES_PER_NODE = 16;
inline constexpr std::size_t XML_NODES_FLOOR = 65536;

// Memory: reading a source of N bytes holds its text (N) and at most:
// - two-line sets, KVN, CSV: nothing per line, row or entry (lines are
//   read one at a time);
// - JSON: 3 N more (the parser's two copies of its longest string, or of
//   its longest stretch between two values, and the set's copy);
// - XML: 5 N more in UTF-8 (the parser's copy and a tree of at most 4 N),
//   at most 8 N more in UTF-16, UTF-32 or ISO-8859-1, whose UTF-8 is up to
//   2 times as long (a converted copy, the parser's copy of it, the tree);
// - the problems and warnings: LINES_KEPT lines each and a count;
// - the sets read, the data itself: about 270 bytes each, more for a name
//   or source ("FILE, line N") longer than 15 bytes.
// No source under MAX_ELEMENT_SOURCE_BYTES costs more than 9 N and its sets.

// The format a text is in, judged from its first lines; nullopt when it is
// none of them.  Lines end LF, CR LF or CR.  Two-line sets (looked for
// first, as a name line may hold anything): a line starting "1 " followed by
// one starting "2 ", as the first or second line that is not blank.  KVN:
// the first line other than blanks and COMMENT starts with CCSDS_OMM_VERS.
// XML: starts with '<', or is in UTF-16 or UTF-32 (a byte order mark, or
// '<' in 16 or 32 bits).  JSON: starts with '[' or '{'.  CSV: the first
// line is a header with an EPOCH column.  A UTF-8 byte order mark and
// leading blanks are skipped.
std::optional<ElementFormat> detect_element_format(std::string_view text);

// Reads every element set of one source; name is what messages call it (a
// path, or "-" shown as "standard input").  A set that cannot be read is
// skipped with one line in problems; the others are read.  Throws
// InputError, one line naming the source (and the line or offset), for a
// source that cannot be read at all: empty, larger than
// MAX_ELEMENT_SOURCE_BYTES, a line longer than MAX_ELEMENT_LINE_BYTES, in no
// known format, malformed JSON or XML, XML with a DOCTYPE, in an encoding
// not read or with more nodes than XML_BYTES_PER_NODE allows, a CSV header
// without the columns or with more than MAX_CSV_COLUMNS.
ElementSetsRead read_element_sets(const std::string& name, std::string_view text);
// The same with the format given rather than detected.
ElementSetsRead read_element_sets(const std::string& name, std::string_view text, ElementFormat format);
// The whole text of a source: a file, or in for "-"; throws InputError
// ("PATH: cannot be read: REASON") for one that cannot be read or is larger
// than MAX_ELEMENT_SOURCE_BYTES.
std::string read_source_file(const std::string& path, std::FILE* in);
// Reads a file ("-" for standard input), refusing one larger than MAX_ELEMENT_SOURCE_BYTES.
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

// The newest set of each object (by catalogue number; of two with the same
// epoch, the later in the list), in the order of the objects' first sets.
std::vector<MeanElements> newest_sets(const std::vector<MeanElements>& sets);
// The line that tells how many older sets of a source were left aside.
std::string older_sets_note(const std::string& source, std::size_t left_aside);

}  // namespace talik
