// exit_status.hpp - the exit statuses every program of talik ends with, and
// the one place where a failure becomes a status.
#pragma once

#include <cstdio>
#include <exception>
#include <string_view>

namespace talik {

inline constexpr int EXIT_OK = 0;
inline constexpr int EXIT_FAILED = 1;    // an input refused or an output that failed
inline constexpr int EXIT_USAGE = 2;     // a command line that cannot be used
inline constexpr int EXIT_INTERNAL = 3;  // a fault of the program itself

// The statuses as the programs' help texts state them.
inline constexpr std::string_view EXIT_STATUS_TEXT =
    "Exit status: 0 done, 1 an input refused or an output not written, 2 a command line\n"
    "that cannot be used, 3 an internal error.";

// Writes the one line "PROGRAM: MESSAGE" for the failure on err and returns
// its status.
int failure_status(std::string_view program, std::FILE* err, const std::exception_ptr& failure);

}  // namespace talik
