// pending_file.cpp - write beside, then rename over the target.
//
// mended: writing the report over the file from its first line would leave
// a half-written file in place of a good one when a run fails part way.

#include "format/pending_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "format/errors.hpp"

namespace talik {

std::unique_ptr<PendingFile> PendingFile::create(const std::string& given) {
    // A report reached through a symbolic link is replaced where the link
    // points, so that the link stays (the file was written through it).
    std::string target = given;
    struct stat link {};
    if (::lstat(given.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        char* resolved = ::realpath(given.c_str(), nullptr);
        if (resolved != nullptr) {
            target = resolved;
            std::free(resolved);
        }
    }
    mode_t mode = 0666;
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            throw OutputError(target + ": cannot be written: it is not a regular file");
        }
        // Open for writing without truncating: proves the file may be
        // replaced (an immutable file refuses even root) and changes nothing.
        const int probe = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
        if (probe < 0) {
            const int error = errno;
            throw OutputError(target + ": cannot be written", error);
        }
        ::close(probe);
        mode = info.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    std::string temporary = target + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        const int error = errno;
        throw OutputError(target + ": cannot create a file beside it", error);
    }
    ::fchmod(fd, mode);
    std::FILE* stream = ::fdopen(fd, "wb");
    if (stream == nullptr) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        throw OutputError(target + ": cannot be opened", error);
    }
    return std::unique_ptr<PendingFile>(new PendingFile(target, std::move(temporary), stream));
}

PendingFile::PendingFile(std::string target, std::string temporary, std::FILE* stream)
    : target_(std::move(target)), temporary_(std::move(temporary)), stream_(stream) {}

PendingFile::~PendingFile() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
    }
    if (!committed_) {
        ::unlink(temporary_.c_str());
    }
}

void PendingFile::commit() {
    std::FILE* stream = stream_;
    stream_ = nullptr;
    if (std::fflush(stream) != 0 || std::ferror(stream) != 0) {
        const int error = errno;
        std::fclose(stream);
        throw OutputError(target_ + ": cannot be written", error);
    }
    if (std::fclose(stream) != 0) {
        const int error = errno;
        throw OutputError(target_ + ": cannot be written", error);
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        throw OutputError(target_ + ": cannot be replaced", error);
    }
    committed_ = true;
}

}  // namespace talik
