// console.cpp - the output units: Console (carriage control) and ReportFile
// (CR LF lines), sharing one way to send a buffer.
//
// Given:   records without line ends.
// Returns: the bytes of each record, buffered and sent to the stream in
//          blocks.
// Notes:   the console's control column picks the motion sent before the
//          rest of the record; the first record of the run has nothing above
//          it, so a blank control moves nowhere and a '0' only one line.
#include "format/console.hpp"
#include "format/report_file.hpp"

#include <cerrno>
#include <string_view>
#include <utility>

namespace talik {

namespace {

constexpr std::size_t kBlock = std::size_t{64} * 1024;

// Writes and empties the buffer; the bytes are dropped even on failure so
// that a broken stream is reported once, not again by the destructor.
void send(std::FILE* stream, std::string& buffer, const char* what) {
    if (stream == nullptr) return;
    const std::size_t size = buffer.size();
    errno = 0;
    const std::size_t sent = size == 0 ? 0 : std::fwrite(buffer.data(), 1, size, stream);
    buffer.clear();
    if (sent != size || std::fflush(stream) != 0) {
        throw OutputError(what, errno);
    }
}

}  // namespace

Console::Console(std::FILE* stream) : stream_(stream) {}
Console::Console() = default;

Console::~Console() {
    try {
        flush();
    } catch (...) {  // NOLINT(bugprone-empty-catch): a destructor must not throw
    }
}

void Console::record(std::string_view text) {
    const char control = text.empty() ? ' ' : text.front();
    switch (control) {
    case '0':
        buffer_ += first_record_ ? "\r\n" : "\r\n\r\n";
        break;
    case '1':
        buffer_ += "\r\n\f\r \r";
        break;
    case '+':
        buffer_ += '\r';
        break;
    default:
        if (!first_record_) buffer_ += "\r\n";
        break;
    }
    first_record_ = false;
    if (!text.empty()) buffer_.append(text.substr(1));
    if (stream_ != nullptr && buffer_.size() > kBlock) flush();
}

void Console::raw(std::string_view bytes) {
    buffer_.append(bytes);
    if (stream_ != nullptr && buffer_.size() > kBlock) flush();
}

void Console::flush() { send(stream_, buffer_, "cannot write to the console"); }

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
    if (stream_ != nullptr && buffer_.size() > kBlock) flush();
}

void ReportFile::flush() { send(stream_, buffer_, what_.c_str()); }

}  // namespace talik
