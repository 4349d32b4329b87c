// exit_status.hpp - the exit statuses every program of talik ends with.
#pragma once

namespace talik {

inline constexpr int EXIT_OK = 0;
inline constexpr int EXIT_FAILED = 1;    // an input refused or an output that failed
inline constexpr int EXIT_USAGE = 2;     // a command line that cannot be used
inline constexpr int EXIT_INTERNAL = 3;  // a fault of the program itself

}  // namespace talik
