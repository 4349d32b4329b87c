// deck_cli.hpp - the command line of talik-deck.
//
//   talik-deck [options] FILE|-     a deck for one element set (or one per set)
//   talik-deck --check DECK         a hand-made deck shown field by field
//
// Exit status: 0 done (also with warnings), 1 an input refused or an output
// failed, 2 a command line that cannot be used, 3 an internal error.
#pragma once

#include <cstdio>

namespace talik {

int talik_deck_main(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

}  // namespace talik
