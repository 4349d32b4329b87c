// cli.hpp - the command line of talik.
//
//   talik DECK         run the prediction described by DECK
//   talik              ask for the deck's name on the console
//   talik --help       usage, to stdout
//   talik --version    version, to stdout
//
// Any other first argument is the name of the deck (a deck called --help is
// run as ./--help).  Exit status: 0 for a completed run, 1 when the run was
// refused or failed, 2 for a command line that cannot be used.
#pragma once

#include <cstdio>

namespace talik {

int main_program(int argc, const char* const* argv, std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace talik
