// OutputFile::open, OutputFile::commit, OutputFile::write_whole,
// unwritable_reason - a companion program's output: standard output, a FIFO
// or a device, or a regular file replaced on success.
//
// Given:    option  string  the option that named the output ("-o"), for messages
//           name    string  the output as the command line gave it ("-" standard output)
//           out     FILE*   the program's standard output
//           inputs  Inputs  the files the run reads
// Returned: (value) OutputFile  an open output (open); unwritable_reason: why a
//                               stream cannot take a byte, or ""
// Thrown:   OutputError with a one-line reason
//
// Notes:
//  - A FIFO or a device has no "beside" to write a temporary file to and
//    nothing to replace: it is opened and written as it is.  The check that
//    a name leads to one is made again on the opened descriptor, so a file
//    put there in between still goes through a PendingFile.
//  - Only a regular file can be replaced, so only a regular file is
//    compared with the inputs, by device and inode; a terminal read and
//    written at once (/dev/stdin and /dev/stdout) is fine.
#include "format/output_file.hpp"
#include "format/text.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "format/errors.hpp"

namespace talik {

namespace {

constexpr const char* STANDARD_STREAM = "-";  // standard output as an output, standard input as an input
constexpr const char* NULL_DEVICE = "/dev/null";

bool written_directly(const struct stat& info) {
    return S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode);
}

bool same_file(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Throws when the regular file target is one of the inputs.
void refuse_input(const std::string& option, const std::string& name, const struct stat& target, const Inputs& inputs) {
    for (const std::string& input : inputs.names) {
        struct stat info {};
        const bool read_in = input == STANDARD_STREAM;
        const int found = read_in ? (inputs.in == nullptr ? -1 : ::fstat(::fileno(inputs.in), &info))
                                  : ::stat(input.c_str(), &info);
        if (found == 0 && same_file(info, target)) {
            const std::string shown = read_in ? "standard input" : quote(input);
            std::string message = option + " " + quote(name) + ": is the input ";
            message += shown;
            message += "; the output would replace it";
            throw OutputError(message);
        }
    }
}

// A FIFO or device named name, opened for writing; nullptr when name leads
// to anything else.
std::FILE* open_directly(const std::string& name) {
    struct stat info {};
    if (::stat(name.c_str(), &info) != 0 || !written_directly(info)) return nullptr;
    const int fd = ::open(name.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        throw OutputError(name + ": cannot be written", error);
    }
    if (::fstat(fd, &info) != 0 || !written_directly(info)) {
        ::close(fd);
        return nullptr;
    }
    std::FILE* stream = ::fdopen(fd, "wb");
    if (stream == nullptr) {
        const int error = errno;
        ::close(fd);
        throw OutputError(name + ": cannot be opened", error);
    }
    return stream;
}

}  // namespace

std::string unwritable_reason(std::FILE* stream) {
    const int fd = stream == nullptr ? -1 : ::fileno(stream);
    if (fd < 0) return "";  // no stream, or one in memory
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags == -1 || (flags & O_ACCMODE) != O_RDONLY) return "";
    struct stat info {};
    struct stat null_device {};
    const bool to_null = ::fstat(fd, &info) == 0 && ::stat(NULL_DEVICE, &null_device) == 0 && S_ISCHR(info.st_mode) &&
                         info.st_rdev == null_device.st_rdev;
    return to_null ? "it was closed when the program started" : "it is open only for reading";
}

std::unique_ptr<OutputFile> OutputFile::open(const std::string& option, const std::string& name, std::FILE* out,
                                             const Inputs& inputs) {
    if (name.empty()) throw OutputError(option + " \"\": names no file (- is standard output)");
    if (name == STANDARD_STREAM) {
        const std::string cannot_write = "cannot write to standard output";
        const std::string closed = unwritable_reason(out);
        if (!closed.empty()) throw OutputError(cannot_write + ": " + closed);
        return std::unique_ptr<OutputFile>(new OutputFile(nullptr, out, false, cannot_write));
    }
    if (std::FILE* stream = open_directly(name)) {
        return std::unique_ptr<OutputFile>(new OutputFile(nullptr, stream, true, name + ": cannot be written"));
    }
    struct stat target {};
    if (::stat(name.c_str(), &target) == 0 && S_ISREG(target.st_mode)) refuse_input(option, name, target, inputs);
    auto pending = PendingFile::create(name);
    std::FILE* stream = pending->stream();
    std::string cannot_write = pending->cannot_write();
    return std::unique_ptr<OutputFile>(new OutputFile(std::move(pending), stream, false, std::move(cannot_write)));
}

OutputFile::OutputFile(std::unique_ptr<PendingFile> pending, std::FILE* stream, bool owned, std::string cannot_write)
    : pending_(std::move(pending)), stream_(stream), owned_(owned), cannot_write_(std::move(cannot_write)) {}

OutputFile::~OutputFile() {
    if (owned_ && stream_ != nullptr) std::fclose(stream_);
}

void OutputFile::commit() {
    if (pending_) {
        pending_->commit();
        return;
    }
    errno = 0;
    const bool flushed = std::fflush(stream_) == 0 && std::ferror(stream_) == 0;
    const int error = errno;
    bool closed = true;
    if (owned_) {
        closed = std::fclose(stream_) == 0;
        stream_ = nullptr;
    }
    if (!flushed) throw OutputError(cannot_write_, error);
    if (!closed) throw OutputError(cannot_write_, errno);
}

void OutputFile::write_whole(const std::string& option, const std::string& name, std::FILE* out, const Inputs& inputs,
                             std::string_view text) {
    const auto output = open(option, name, out, inputs);
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), output->stream()) != text.size()) {
        throw OutputError(output->cannot_write(), errno);
    }
    output->commit();
}

}  // namespace talik
