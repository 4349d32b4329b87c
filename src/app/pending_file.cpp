// pending_file.cpp - write beside, then rename over the target.
//
// mended: the report file used to be overwritten from its first line, so a
// run that failed part way left a half-written file where a good one was.

#include "app/pending_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace talik {

namespace {

std::string with_errno(const std::string& what, int error) { return what + ": " + std::strerror(error); }

}  // namespace

std::unique_ptr<PendingFile> PendingFile::create(const std::string& given, std::string& reason) {
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
            reason = target + ": cannot be written: it is not a regular file";
            return nullptr;
        }
        // Open for writing without truncating: proves the file may be
        // replaced (an immutable file refuses even root) and changes nothing.
        const int probe = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
        if (probe < 0) {
            reason = with_errno(target + ": cannot be written", errno);
            return nullptr;
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
        reason = with_errno(target + ": cannot create a file beside it", errno);
        return nullptr;
    }
    ::fchmod(fd, mode);
    std::FILE* stream = ::fdopen(fd, "wb");
    if (stream == nullptr) {
        reason = with_errno(target + ": cannot be opened", errno);
        ::close(fd);
        ::unlink(temporary.c_str());
        return nullptr;
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
        throw std::system_error(error, std::generic_category(), target_ + ": cannot be written");
    }
    if (std::fclose(stream) != 0) {
        throw std::system_error(errno, std::generic_category(), target_ + ": cannot be written");
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        throw std::system_error(errno, std::generic_category(), target_ + ": cannot be replaced");
    }
    committed_ = true;
}

}  // namespace talik
