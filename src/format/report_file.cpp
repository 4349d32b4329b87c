// ReportFile::record, ReportFile::flush - the report file: records as CR LF
// lines, buffered.
//
// Given:    text    string_view  one record, written whole (no control column)
// Returned: the record and CR LF, buffered and sent to the stream when the
//           buffer passes SEND_BLOCK bytes and at flush()
// Thrown:   OutputError          when the stream fails; the message starts
//                                with the what given to the constructor
//                                ("KESTAD.DAT: cannot be written")
//
// Notes:
//  - A report file built without a stream keeps its bytes in memory
//    (tests).  It does not own its stream.  The destructor flushes too but
//    swallows a write error: flush() is how to see it.
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
