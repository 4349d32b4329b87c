// OutputError::OutputError - the message of an output that failed with a
// system error.
//
// Given:    what    string   what failed: "KESTAD.DAT: cannot be written"
//           error   int      errno's value; 0 counts as EIO
// Returned: the message "what: the system's reason"
#include "format/errors.hpp"

#include <cerrno>
#include <cstring>

namespace talik {

OutputError::OutputError(const std::string& what, int error)
    : std::runtime_error(what + ": " + std::strerror(error != 0 ? error : EIO)) {}

}  // namespace talik
