// talik_run.hpp - one whole prediction run from a deck: set-up, the
// stepping loop, the end.
#pragma once

#include <string>

#include "format/console.hpp"
#include "format/deck.hpp"

namespace talik {

// Runs the prediction described by the deck; the report goes to the
// console, to the file report_path or nowhere.
void run(Deck& deck, Console& console, const std::string& report_path);

}  // namespace talik
