// output.hpp - passes as a table for people, as CSV or as JSON.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "passes/pass.hpp"

namespace talik {

enum class OutputFormat { Table, Csv, Json };

// The CSV columns, in order, joined by commas (the header row).
extern const char* const CSV_HEADER;

// One field as RFC 4180 wants it: quoted when it holds a comma, a quote or
// a line end, with each quote doubled.
std::string csv_field(const std::string& text);
// One data row, without its line end.
std::string csv_row(const Pass& pass);
// One pass as a JSON object on one line.
std::string json_object(const Pass& pass);
// The table's heading and one row, with the object and site columns
// object_width and site_width wide.
std::string table_heading(std::size_t object_width, std::size_t site_width);
std::string table_row(const Pass& pass, std::size_t object_width, std::size_t site_width);

// Writes passes one by one in one format to out; a failed write throws
// OutputError with the message cannot_write and the system's reason.
class PassWriter {
public:
    PassWriter(OutputFormat format, std::FILE* out, std::string cannot_write, std::size_t object_width,
               std::size_t site_width);
    void begin();
    void write(const Pass& pass);
    void end();

private:
    void put(const std::string& text);

    OutputFormat format_;
    std::FILE* out_;
    std::string cannot_write_;
    std::size_t object_width_;
    std::size_t site_width_;
    bool first_ = true;
};

}  // namespace talik
