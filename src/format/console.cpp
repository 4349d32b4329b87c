// Console::record, Console::raw, Console::flush - the console's records,
// with carriage control, buffered.
//
// Given:    text    string_view  one record; its column 1 is the control
//                                character, which is not shown
//           bytes   string_view  bytes to send as they are (raw)
// Returned: the motion and the record's bytes, buffered and sent to the
//           stream when the buffer passes SEND_BLOCK bytes and at flush()
// Thrown:   OutputError          when the stream fails
//
// Notes:
//  - The control character selects the motion sent before the rest of the
//    record:
//      blank or other  CR LF
//      '0'             CR LF CR LF
//      '1'             CR LF FF CR ' ' CR
//      '+'             CR
//    An empty record counts as a record holding one blank.
//  - The first record of the run has nothing above it, so a blank control
//    moves nowhere and a '0' only one line.
//  - A console built without a stream keeps its bytes in memory (tests).
//    It does not own its stream.  The destructor flushes too but swallows a
//    write error: flush() is how to see it.
#include "format/console.hpp"
#include "format/errors.hpp"
#include "format/output_file.hpp"
#include "format/send.hpp"

#include <cerrno>
#include <string_view>
#include <utility>

namespace talik {

namespace {

constexpr const char* CANNOT_WRITE_CONSOLE = "cannot write to the console";

}  // namespace

Console::Console(std::FILE* stream) : stream_(stream), closed_(unwritable_reason(stream)) {}
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
    case '0': buffer_ += first_record_ ? "\r\n" : "\r\n\r\n"; break;
    case '1': buffer_ += "\r\n\f\r \r"; break;
    case '+': buffer_ += '\r'; break;
    default:
        if (!first_record_) buffer_ += "\r\n";
        break;
    }
    first_record_ = false;
    if (!text.empty()) buffer_.append(text.substr(1));
    if (stream_ != nullptr && buffer_.size() > SEND_BLOCK) flush();
}

void Console::raw(std::string_view bytes) {
    buffer_.append(bytes);
    if (stream_ != nullptr && buffer_.size() > SEND_BLOCK) flush();
}

void Console::flush() {
    if (!closed_.empty()) {
        buffer_.clear();
        return;
    }
    send_buffer(stream_, buffer_, CANNOT_WRITE_CONSOLE);
}

void Console::require_open() const {
    if (!closed_.empty()) throw OutputError(std::string(CANNOT_WRITE_CONSOLE) + ": " + closed_);
}

}  // namespace talik
