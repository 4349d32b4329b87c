// plot_cli.hpp - talik-plot: its command line, its run and its exit statuses.
#pragma once

#include <cstdio>

namespace talik {

// Runs talik-plot with its arguments; returns the exit status (exit_status.hpp).
int talik_plot_main(int argc, const char* const* argv, std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace talik
