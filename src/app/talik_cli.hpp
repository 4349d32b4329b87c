// talik_cli.hpp - the command line of talik.
//
//   talik DECK         run the prediction described by DECK
//   talik              ask for the deck's name on the console
//   talik --help       usage, to stdout
//   talik --version    version, to stdout
//
// Any other first argument is the name of the deck (a deck called --help is
// run as ./--help).  Returns the exit status (exit_status.hpp).
#pragma once

#include <cstdio>

namespace talik {

int talik_main(int argc, const char* const* argv, std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace talik
