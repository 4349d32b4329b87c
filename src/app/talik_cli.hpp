// talik_cli.hpp - the command line of talik: talik [DECK], talik --help,
// talik --version.
#pragma once

#include <cstdio>

namespace talik {

// Runs talik with its arguments: the deck named, or asked for on the
// console; returns the exit status (exit_status.hpp).
int talik_main(int argc, const char* const* argv, std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace talik
