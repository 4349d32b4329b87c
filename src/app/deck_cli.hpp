// deck_cli.hpp - the command line of talik-deck.
//
//   talik-deck [options] FILE|-     a deck for one element set (or one per set)
//   talik-deck --check DECK         a hand-made deck shown field by field
//
// Returns the exit status (exit_status.hpp); warnings leave it 0.
#pragma once

#include <cstdio>

namespace talik {

int talik_deck_main(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

}  // namespace talik
