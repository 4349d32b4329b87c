// pending_file.hpp - an output file that replaces its target only on
// success.
//
// The new file is written to a temporary file beside the target and moved
// into place by commit(); a run that fails, for whatever reason, leaves the
// target exactly as it was and removes the temporary file.  A target reached
// through symbolic links is replaced where the links point, so the links
// stay; the replaced file keeps its mode, and its owner and group where the
// caller may give them.  Once commit() returns, the new file is on disk
// under the target's name: it survives a power loss.
#pragma once

#include <csignal>
#include <cstdio>
#include <memory>
#include <string>

namespace talik {

class PendingFile {
public:
    // Opens a temporary file beside target after checking that target, if it
    // exists, is a regular file that can be written; throws OutputError with
    // a one-line explanation when it cannot.  Messages name the file as
    // given, adding the link's target when it is a link.
    static std::unique_ptr<PendingFile> create(const std::string& target);

    ~PendingFile();  // removes the temporary file unless committed
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    std::FILE* stream() { return stream_; }
    // How messages name the file: "KESTAD.DAT".
    const std::string& name() const { return name_; }
    // The message that writing it failed: "KESTAD.DAT: cannot be written".
    std::string cannot_write() const;
    // Syncs the temporary file to disk, renames it over the target and syncs
    // the directory, so that the rename too survives a power loss; throws
    // OutputError naming the target when any of it fails.
    void commit();

    // Removes every temporary file not yet committed.  Async-signal-safe:
    // for a signal handler that ends the process.
    static void remove_all_pending() noexcept;
    // Every signal that ends the process unless caught and that a handler
    // may catch, the real-time ones included: the signals held while a
    // temporary file is created and entered in the table, and those on
    // which a program should call remove_all_pending() before ending.
    static sigset_t ending_signals() noexcept;

private:
    PendingFile(std::string name, std::string note, std::string target, std::string temporary, std::FILE* stream,
                int slot);

    std::string name_;
    std::string note_;  // " (KESTAD.DAT is a link to ...)" or ""
    std::string target_;
    std::string temporary_;
    std::FILE* stream_;
    int slot_;  // in the registry of files to remove on a signal
    bool committed_ = false;
};

}  // namespace talik
