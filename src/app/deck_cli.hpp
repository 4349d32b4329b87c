// deck_cli.hpp - the command line of talik-deck.
#pragma once

#include <cstdio>

namespace talik {

// Runs talik-deck with its arguments: decks written from element sets, or a
// deck checked; returns the exit status (exit_status.hpp).
int talik_deck_main(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

}  // namespace talik
