// console.hpp - the console: the output unit with carriage control.
//
// It buffers its bytes and hands them to a stdio stream in large blocks (or
// keeps them in memory when built without a stream, for tests).  A block
// goes out when the buffer passes 64 KiB and at flush(); the destructor
// flushes too but swallows a write error (call flush() to see it).  It does
// not own its stream: closing it is the caller's business.  A stream that
// cannot be written at all (standard output closed when the program
// started) takes nothing: messages sent to it are dropped, and
// require_open() refuses it where the console carries the report.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "format/format.hpp"

namespace talik {

// Column 1 of every console record is a control character that is not shown;
// the motion it selects is sent before the rest of the record:
//   blank or other  CR LF
//   '0'             CR LF CR LF
//   '1'             CR LF FF CR ' ' CR
//   '+'             CR
// The very first record gets no motion for a blank control and one CR LF
// for '0'.  An empty record counts as a record holding one blank.
class Console : public Unit {
public:
    explicit Console(std::FILE* stream);  // the program's stdout
    Console();                            // keeps the bytes in memory
    ~Console() override;
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    void record(std::string_view text) override;
    // Bytes sent as they are, with no carriage control (the deck prompt).
    void raw(std::string_view bytes);
    // Sends what is buffered and flushes the stream (call it before reading
    // the console); throws OutputError when the stream fails.
    void flush();
    // Throws OutputError "cannot write to the console: REASON" when the
    // stream cannot be written at all.
    void require_open() const;
    // The bytes kept in memory (only for a Console built without a stream).
    const std::string& captured() const { return buffer_; }
    // Forgets the bytes kept in memory (the first-record rule stays spent).
    void clear() { buffer_.clear(); }

private:
    std::FILE* stream_ = nullptr;
    std::string closed_;  // why the stream cannot be written, or ""
    std::string buffer_;
    bool first_record_ = true;
};

}  // namespace talik
