// errors.cpp - the message of an output that failed with a system error.
#include "format/errors.hpp"

#include <cerrno>
#include <cstring>

namespace talik {

OutputError::OutputError(const std::string& what, int error)
    : std::runtime_error(what + ": " + std::strerror(error != 0 ? error : EIO)) {}

}  // namespace talik
