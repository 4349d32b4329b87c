// plot_cli.hpp - talik-plot: its command line, its run and its exit statuses.
#pragma once

#include <cstdio>

namespace talik {

// Runs talik-plot with its arguments; returns the exit status: 0 done,
// 1 an input refused or an output not written, 2 a bad command line,
// 3 an internal error.
int plot_program(int argc, const char* const* argv, std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace talik
