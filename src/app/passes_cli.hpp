// passes_cli.hpp - talik-passes: its command line, its run and its exit
// statuses.
#pragma once

#include <cstdio>
#include <string>

#include "passes/pass.hpp"

namespace talik {

// Runs talik-passes with its arguments; returns the exit status: 0 done,
// 1 an input refused or an output not written, 2 a bad command line,
// 3 an internal error.
int passes_program(int argc, const char* const* argv, std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace talik
