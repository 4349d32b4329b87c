// output.hpp - passes and their tracks as a table for people, as CSV, as
// JSON, and passes as an iCalendar file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "passes/pass.hpp"
#include "passes/track.hpp"
#include "time/time_zone.hpp"

namespace talik {

enum class OutputFormat { Table, Csv, Json, Ics };

// How the passes are written: the format, the table's zone, the track and
// the calendar's time stamp.
struct OutputOptions {
    OutputFormat format = OutputFormat::Table;
    TimeZone zone;                        // the table's times; CSV, JSON and calendar files stay UTC
    std::optional<std::int32_t> track_s;  // one track row each so many seconds instead of a pass row
    std::optional<double> frequency_mhz;  // adds the Doppler shift to the track
    std::int64_t stamp_unix = 0;          // the calendar's DTSTAMP, seconds since 1970
};

// The CSV columns of a pass, in order, joined by commas (the header row).
extern const char* const CSV_HEADER;

// One field as RFC 4180 wants it: quoted when it holds a comma, a quote or
// a line end, with each quote doubled.
std::string csv_field(const std::string& text);
// A name field (an object's, a site's) of a CSV file, kept from being run
// as a spreadsheet's formula.
std::string csv_name_field(const std::string& text);
// One data row, without its line end.
std::string csv_row(const Pass& pass);
// One pass as a JSON object on one line.
std::string json_object(const Pass& pass);
// The table's heading and one row (number is the pass's in the list), with
// the object and site columns object_width and site_width wide.
std::string table_heading(std::size_t object_width, std::size_t site_width, const TimeZone& zone = {});
std::string table_row(std::size_t number, const Pass& pass, std::size_t object_width, std::size_t site_width,
                      const TimeZone& zone = {});

// Writes passes, or their tracks, one by one in one format to out.
class PassWriter {
public:
    PassWriter(const OutputOptions& options, std::FILE* out, std::string cannot_write, std::size_t object_width,
               std::size_t site_width);
    void begin();
    // The pass numbered number (1, 2, ... in the order listed); track holds
    // its rows when the options ask for a track.
    void write(std::size_t number, const Pass& pass, const std::vector<TrackPoint>& track = {});
    void end();

private:
    void put(const std::string& text);
    void write_track(std::size_t number, const Pass& pass, const std::vector<TrackPoint>& track);

    OutputOptions options_;
    std::FILE* out_;
    std::string cannot_write_;
    std::size_t object_width_;
    std::size_t site_width_;
    bool first_ = true;
};

}  // namespace talik
