// prepare_process - standard descriptors, and the signals that would end
// the program without a word or leave a temporary file behind.
//
// Given:    nothing; called first in main
// Returned: (value) bool  false when a closed descriptor could not be opened
//
// Notes:
//  - The standard descriptors 0 to 2 that are closed are opened onto
//    /dev/null, so that no file the program opens can take their place and
//    receive console text; standard output for reading only, so that a
//    program whose output goes there can tell.
//  - SIGPIPE and SIGXFSZ are ignored, so that a write to a closed pipe or
//    past the file-size limit fails with an error the program reports.
//  - Every other signal that would end the program (unless ignored from the
//    start) removes the temporary files of pending outputs before ending
//    the program as the signal would have ended it.
#include "app/process.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "format/pending_file.hpp"

namespace talik {

namespace {

// After a fault (SIGSEGV, SIGBUS, SIGABRT) the process may be in no state
// to run even this: the removal is then best effort.
extern "C" void end_on_signal(int signal_number) {
    PendingFile::remove_all_pending();
    std::signal(signal_number, SIG_DFL);
    std::raise(signal_number);  // delivered, as the default, once the handler returns
}

// Standard output, when closed, is opened for reading only: a program
// whose output goes there then finds it cannot be written (see
// output_file.hpp) instead of losing the output unseen; messages to the
// console are dropped.  Standard error takes messages only.
int null_flags(int fd) { return fd == STDERR_FILENO ? O_WRONLY : O_RDONLY; }

}  // namespace

bool prepare_process() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            // The lowest free descriptor is fd itself.
            if (::open("/dev/null", null_flags(fd)) != fd) return false;
        }
    }
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    const sigset_t ending = PendingFile::ending_signals();
    struct sigaction action {};
    action.sa_handler = end_on_signal;
    action.sa_mask = ending;  // one removal at a time
    for (int s = 1; s < NSIG; ++s) {
        struct sigaction before {};
        if (sigismember(&ending, s) != 1 || ::sigaction(s, nullptr, &before) != 0) continue;
        // A signal ignored when the program starts (SIGHUP under nohup, and
        // SIGPIPE and SIGXFSZ just above) ends nothing, and stays ignored.
        if (before.sa_handler == SIG_IGN) continue;
        ::sigaction(s, &action, nullptr);
    }
    return true;
}

}  // namespace talik
