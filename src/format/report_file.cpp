// report_file.cpp - the report file: records as CR LF lines, buffered.
#include "format/report_file.hpp"

#include <utility>

#include "format/send.hpp"

namespace talik {

ReportFile::ReportFile(std::FILE* stream, std::string what) : stream_(stream), what_(std::move(what)) {}
ReportFile::ReportFile() = default;

ReportFile::~ReportFile() {
    try {
        flush();
    } catch (...) {  // NOLINT(bugprone-empty-catch): a destructor must not throw
    }
}

void ReportFile::record(std::string_view text) {
    buffer_.append(text);
    buffer_ += "\r\n";
    if (stream_ != nullptr && buffer_.size() > SEND_BLOCK) flush();
}

void ReportFile::flush() { send_buffer(stream_, buffer_, what_.c_str()); }

}  // namespace talik
