// prepare_process - standard descriptors, and the signals that would end
// the program without a word or leave a temporary file behind.
#include "app/process.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "format/pending_file.hpp"

namespace talik {

namespace {

extern "C" void end_on_signal(int signal_number) {
    PendingFile::remove_all_pending();
    std::signal(signal_number, SIG_DFL);
    std::raise(signal_number);
}

}  // namespace

bool prepare_process() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            // The lowest free descriptor is fd itself.
            if (::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY) != fd) return false;
        }
    }
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    struct sigaction action {};
    action.sa_handler = end_on_signal;
    sigemptyset(&action.sa_mask);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(s, &action, nullptr);
    return true;
}

}  // namespace talik
