// pending_file.cpp - write beside, then rename over the target.
//
// mended: writing the report over the file from its first line would leave
// a half-written file in place of a good one when a run fails part way.
//
// Notes:
//  - Links are resolved here, hop by hop, so that a dangling link is followed
//    too (its target is created).  Renaming into the target's directory
//    bypasses the kernel's protection against links planted in shared
//    sticky directories, so the same rule is applied here: in a world-
//    writable sticky directory a link is followed only when it belongs to
//    the caller or to the directory's owner.
//  - The temporary files not yet committed are kept in a small fixed table
//    that a signal handler may read: the one process-wide state of the
//    library, there because a handler can reach nothing else.
//  - commit() syncs the file before the rename and the directory after it:
//    without the first a power loss can leave the new name on an empty
//    file, without the second the old file under it.
#include "format/pending_file.hpp"

#include <fcntl.h>
#include <pthread.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "format/errors.hpp"

namespace talik {

namespace {

constexpr int SLOTS = 8;
constexpr int MAX_HOPS = 40;
struct Slot {
    std::atomic<bool> used{false};
    char path[PATH_MAX]{};
};
std::array<Slot, SLOTS> pending;  // NOLINT: reached from a signal handler

int register_pending(const std::string& path) {
    if (path.size() >= PATH_MAX) return -1;
    for (int i = 0; i < SLOTS; ++i) {
        Slot& s = pending[static_cast<std::size_t>(i)];
        if (!s.used.load()) {
            std::memcpy(s.path, path.c_str(), path.size() + 1);
            s.used.store(true);
            return i;
        }
    }
    return -1;
}

// Every standard signal whose default action ends the process (the
// real-time ones are added by range).  SIGKILL cannot be caught.
constexpr std::array ENDING_STANDARD_SIGNALS = {
    SIGHUP,    SIGINT,  SIGQUIT, SIGILL,  SIGTRAP, SIGABRT, SIGBUS,    SIGFPE,  SIGUSR1, SIGSEGV,
    SIGUSR2,   SIGPIPE, SIGALRM, SIGTERM, SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF, SIGIO,   SIGSYS,
#ifdef SIGSTKFLT
    SIGSTKFLT,
#endif
#ifdef SIGPWR
    SIGPWR,
#endif
};

// Holds back the ending signals, so that a file is never created without
// being in the table.
class SignalsHeld {
public:
    SignalsHeld() {
        const sigset_t held = PendingFile::ending_signals();
        pthread_sigmask(SIG_BLOCK, &held, &before_);
    }
    ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &before_, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t before_{};
};

void forget_pending(int slot) {
    if (slot >= 0) pending[static_cast<std::size_t>(slot)].used.store(false);
}

std::string directory_of(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Syncs the directory so that a rename in it survives a power loss; file is
// an open descriptor of the file renamed.  Returns 0 or the error.
int sync_directory(const std::string& directory, int file) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        // A directory that may be written but not read cannot be opened to
        // be synced; syncing the whole file system holding it settles the
        // rename as well.
        if (errno == EACCES) return ::syncfs(file) == 0 ? 0 : errno;
        return errno;
    }
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    // EINVAL: a file system that cannot sync a directory; its renames are as
    // durable as it makes them.
    return error == EINVAL ? 0 : error;
}

// Follows the links from given to the file they lead to (which need not
// exist), refusing a link that the sticky-directory rule forbids.
std::string resolve(const std::string& given) {
    std::string path = given;
    for (int hop = 0; hop < MAX_HOPS; ++hop) {
        struct stat link {};
        if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
        const std::string dir = directory_of(path);
        struct stat d {};
        if (::stat(dir.c_str(), &d) == 0 && (d.st_mode & S_ISVTX) != 0 && (d.st_mode & S_IWOTH) != 0 &&
            link.st_uid != ::geteuid() && link.st_uid != d.st_uid) {
            throw OutputError(given + ": is a link in a world-writable sticky directory that belongs to neither "
                                      "you nor the directory's owner; it is not followed");
        }
        std::array<char, PATH_MAX> buf{};
        const ssize_t n = ::readlink(path.c_str(), buf.data(), buf.size() - 1);
        if (n < 0) {
            const int error = errno;
            throw OutputError(given + ": cannot be written", error);
        }
        const std::string to(buf.data(), static_cast<std::size_t>(n));
        if (to.front() == '/') {
            path = to;
        } else {
            path = dir;
            path += '/';
            path += to;
        }
    }
    throw OutputError(given + ": cannot be written", ELOOP);
}

}  // namespace

std::unique_ptr<PendingFile> PendingFile::create(const std::string& given) {
    const std::string target = resolve(given);
    const std::string note = target == given ? "" : " (" + given + " is a link to " + target + ")";
    mode_t mode = 0666;
    struct stat info {};
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (exists) {
        if (!S_ISREG(info.st_mode)) throw OutputError(given + ": cannot be written: it is not a regular file" + note);
        // Open for writing without truncating: proves the file may be
        // replaced (an immutable file refuses even root) and changes nothing.
        const int probe = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
        if (probe < 0) {
            const int error = errno;
            throw OutputError(given + ": cannot be written: " + std::strerror(error) + note);
        }
        ::close(probe);
        mode = info.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    std::string temporary = target + ".XXXXXX";
    int fd = -1;
    int slot = -1;
    int error = 0;
    {
        const SignalsHeld held;
        fd = ::mkstemp(temporary.data());
        error = errno;
        if (fd >= 0) slot = register_pending(temporary);
    }
    if (fd < 0) throw OutputError(given + ": cannot create a file beside it: " + std::strerror(error) + note);
    // The owner and group of the file replaced, where the caller may give
    // them (a change of owner clears set-id bits, so the mode comes after).
    if (exists && (info.st_uid != ::geteuid() || info.st_gid != ::getegid()) &&
        ::fchown(fd, info.st_uid, info.st_gid) != 0) {
        [[maybe_unused]] const int kept_group = ::fchown(fd, static_cast<uid_t>(-1), info.st_gid);
    }
    ::fchmod(fd, mode);
    std::FILE* stream = ::fdopen(fd, "wb");
    if (stream == nullptr) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        forget_pending(slot);
        throw OutputError(given + ": cannot be opened: " + std::strerror(error) + note);
    }
    return std::unique_ptr<PendingFile>(new PendingFile(given, note, target, std::move(temporary), stream, slot));
}

PendingFile::PendingFile(std::string name, std::string note, std::string target, std::string temporary,
                         std::FILE* stream, int slot)
    : name_(std::move(name)),
      note_(std::move(note)),
      target_(std::move(target)),
      temporary_(std::move(temporary)),
      stream_(stream),
      slot_(slot) {}

PendingFile::~PendingFile() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
    }
    if (!committed_) {
        ::unlink(temporary_.c_str());
    }
    forget_pending(slot_);
}

std::string PendingFile::cannot_write() const { return name_ + ": cannot be written"; }

void PendingFile::commit() {
    std::FILE* stream = stream_;
    stream_ = nullptr;
    const int fd = ::fileno(stream);
    if (std::fflush(stream) != 0 || std::ferror(stream) != 0 || ::fsync(fd) != 0) {
        const int error = errno;
        std::fclose(stream);
        throw OutputError(cannot_write() + ": " + std::strerror(error != 0 ? error : EIO) + note_);
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        std::fclose(stream);
        throw OutputError(name_ + ": cannot be replaced: " + std::strerror(error) + note_);
    }
    committed_ = true;
    forget_pending(slot_);
    int error = sync_directory(directory_of(target_), fd);
    if (std::fclose(stream) != 0 && error == 0) error = errno;
    if (error != 0) {
        throw OutputError(name_ + ": was replaced but cannot be synced to disk: " + std::strerror(error) + note_);
    }
}

void PendingFile::remove_all_pending() noexcept {
    for (Slot& s : pending) {
        if (s.used.load()) ::unlink(s.path);
    }
}

sigset_t PendingFile::ending_signals() noexcept {
    sigset_t set;
    sigemptyset(&set);
    for (const int s : ENDING_STANDARD_SIGNALS) sigaddset(&set, s);
    for (int s = SIGRTMIN; s <= SIGRTMAX; ++s) sigaddset(&set, s);
    return set;
}

}  // namespace talik
