// console.hpp - the console: the output unit with carriage control.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "format/format.hpp"

namespace talik {

// The console, buffered: column 1 of every record is a control character,
// not shown, that selects the line or page motion sent before the record.
class Console : public Unit {
public:
    explicit Console(std::FILE* stream);  // the program's stdout, not owned
    Console();                            // keeps the bytes in memory
    ~Console() override;
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    void record(std::string_view text) override;
    // Bytes sent as they are, with no carriage control (the deck prompt).
    void raw(std::string_view bytes);
    // Sends what is buffered and flushes the stream (before reading the
    // console, and to see a write error).
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
