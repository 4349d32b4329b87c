// pending_file.hpp - a report file that replaces its target only on success.
//
// The new report is written to a temporary file beside the target and moved
// into place by commit(); a run that fails, for whatever reason, leaves the
// target exactly as it was and removes the temporary file.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace talik {

class PendingFile {
public:
    // Opens a temporary file beside target after checking that target, if it
    // exists, is a regular file that can be written; throws OutputError with
    // a one-line explanation when it cannot.
    static std::unique_ptr<PendingFile> create(const std::string& target);

    ~PendingFile();  // removes the temporary file unless committed
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    std::FILE* stream() { return stream_; }
    // Closes the temporary file and renames it over the target; throws
    // OutputError naming the target when that fails.
    void commit();

private:
    PendingFile(std::string target, std::string temporary, std::FILE* stream);

    std::string target_;
    std::string temporary_;
    std::FILE* stream_;
    bool committed_ = false;
};

}  // namespace talik
