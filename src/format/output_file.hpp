// output_file.hpp - where a companion program's output goes: standard
// output, a FIFO or device written as it comes, or a regular file replaced
// only when the run succeeds (a PendingFile).
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "format/pending_file.hpp"

namespace talik {

// Why stream cannot take a single byte, or "" when writing may be tried:
// "it was closed when the program started" for a standard output that
// prepare_process found closed (and opened onto /dev/null for reading
// only), "it is open only for reading" for another stream so opened.
std::string unwritable_reason(std::FILE* stream);

// The files a run reads, which its output may not replace.
struct Inputs {
    std::vector<std::string> names;  // as given; "-" is the stream in
    std::FILE* in = nullptr;
};

class OutputFile {
public:
    // Opens the output named name, which option ("-o") gave:
    //   "-"                   standard output, the stream out;
    //   a FIFO or a device    written directly, with no temporary file;
    //   anything else         a PendingFile (which refuses a directory).
    // Throws OutputError when name is empty, when out cannot be written at
    // all, when the file cannot be opened, or when it is one of inputs (the
    // same file, also through a link): OPTION "NAME": is the input "INPUT"; ...
    static std::unique_ptr<OutputFile> open(const std::string& option, const std::string& name, std::FILE* out,
                                            const Inputs& inputs);

    ~OutputFile();  // closes a file written directly; a PendingFile removes its temporary
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    std::FILE* stream() { return stream_; }
    // The start of the message that writing failed: "x.csv: cannot be
    // written", "cannot write to standard output".
    const std::string& cannot_write() const { return cannot_write_; }
    // Flushes the output (and puts a PendingFile in place); throws
    // OutputError when that fails.
    void commit();

    // Opens as open() does, writes text as the whole output and commits.
    static void write_whole(const std::string& option, const std::string& name, std::FILE* out, const Inputs& inputs,
                            std::string_view text);

private:
    OutputFile(std::unique_ptr<PendingFile> pending, std::FILE* stream, bool owned, std::string cannot_write);

    std::unique_ptr<PendingFile> pending_;
    std::FILE* stream_;
    bool owned_;  // a FIFO or device opened here, closed here
    std::string cannot_write_;
};

}  // namespace talik
