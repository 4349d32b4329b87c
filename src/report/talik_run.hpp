// talik_run.hpp - one whole prediction run from a deck: set-up, the
// stepping loop, the end.
#pragma once

#include <string>

#include "format/console.hpp"
#include "format/deck.hpp"

namespace talik {

// Runs the prediction described by the deck.  The report goes to the console
// (output choice 6), to the file report_path (8) or nowhere (any other
// choice).  Throws InputError for a deck that cannot be read or describes an
// impossible run, OutputError when the report cannot be opened (after the
// console has received its message) or written.  The report file is
// replaced only when the whole run succeeds.
void run(Deck& deck, Console& console, const std::string& report_path);

}  // namespace talik
