// run.hpp - one whole prediction run: set-up, the stepping loop, the end.
#pragma once

#include <stdexcept>
#include <string>

#include "format/console.hpp"
#include "format/deck.hpp"

namespace talik {

// A run that cannot go on for a reason other than the deck's contents (the
// report file cannot be opened); what() is one line for stderr.
class RunError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Runs the prediction described by the deck.  The report goes to the console
// (output choice 6), to the file report_path (8) or nowhere (any other
// choice).  Throws InputError for a deck that cannot be read or describes an
// impossible run, RunError when the report file cannot be opened (after the
// console has received its message), std::system_error when writing fails.
// The report file is replaced only when the whole run succeeds.
void run(Deck& deck, Console& console, const std::string& report_path);

}  // namespace talik
