// output_file.cpp - unwritable_reason().
//
// Given:   a stream.
// Returns: why it cannot be written at all, or "".
// Notes:   a stream in memory has no descriptor and may always be tried.
#include "format/output_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace talik {

namespace {

constexpr const char* NULL_DEVICE = "/dev/null";

}  // namespace

std::string unwritable_reason(std::FILE* stream) {
    const int fd = stream == nullptr ? -1 : ::fileno(stream);
    if (fd < 0) return "";  // no stream, or one in memory
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags == -1 || (flags & O_ACCMODE) != O_RDONLY) return "";
    struct stat info {};
    struct stat null_device {};
    const bool to_null = ::fstat(fd, &info) == 0 && ::stat(NULL_DEVICE, &null_device) == 0 &&
                         S_ISCHR(info.st_mode) && info.st_rdev == null_device.st_rdev;
    return to_null ? "it was closed when the program started" : "it is open only for reading";
}

}  // namespace talik
