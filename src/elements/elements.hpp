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

// Reading a source of N bytes holds at most 9 N and its sets (read.cpp).

// The format a text is in, judged from its first lines; nullopt when it is
// none of them.
std::optional<ElementFormat> detect_element_format(std::string_view text);

// Reads every element set of one source, name being what messages call it;
// a set that cannot be read is skipped with one line in problems.
ElementSetsRead read_element_sets(const std::string& name, std::string_view text);
// The same with the format given rather than detected.
ElementSetsRead read_element_sets(const std::string& name, std::string_view text, ElementFormat format);
// The whole text of a source: a file, or in for "-".
std::string read_source_file(const std::string& path, std::FILE* in);
// Reads a file ("-" for standard input), refusing one larger than MAX_ELEMENT_SOURCE_BYTES.
ElementSetsRead read_element_file(const std::string& path);

// The sets of one object, in file order, picked by catalogue number, name
// or designator, or the start of a name.
std::vector<MeanElements> select_sets(const std::vector<MeanElements>& sets, std::string_view name_or_number);

// The newest set of each object (by catalogue number; of two with the same
// epoch, the later in the list), in the order of the objects' first sets.
std::vector<MeanElements> newest_sets(const std::vector<MeanElements>& sets);
// The line that tells how many older sets of a source were left aside.
std::string older_sets_note(const std::string& source, std::size_t left_aside);

}  // namespace talik
