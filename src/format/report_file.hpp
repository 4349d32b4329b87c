// report_file.hpp - the report file: the output unit of CR LF lines.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "format/format.hpp"

namespace talik {

// The report file, buffered: every record is one line ended by CR LF; no
// control column.
class ReportFile : public Unit {
public:
    // what begins the message of a failed write: "KESTAD.DAT: cannot be
    // written".  The stream is not owned.
    ReportFile(std::FILE* stream, std::string what);
    ReportFile();  // keeps the bytes in memory
    ~ReportFile() override;
    ReportFile(const ReportFile&) = delete;
    ReportFile& operator=(const ReportFile&) = delete;

    void record(std::string_view text) override;
    // Sends what is buffered and flushes the stream.
    void flush();
    const std::string& captured() const { return buffer_; }
    void clear() { buffer_.clear(); }

private:
    std::FILE* stream_ = nullptr;
    std::string what_ = "cannot write the report file";
    std::string buffer_;
};

}  // namespace talik
