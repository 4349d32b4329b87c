// passes_cli.hpp - talik-passes: its command line, its run and its exit
// statuses.
#pragma once

#include <cstdio>
#include <string>

#include "passes/pass.hpp"

namespace talik {

// Runs talik-passes with its arguments; returns the exit status (exit_status.hpp).
int talik_passes_main(int argc, const char* const* argv, std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace talik
