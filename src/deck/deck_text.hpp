// deck_text.hpp - writing a deck that talik reads back as given.
#pragma once

#include <string>

#include "numeric/single.hpp"
#include "deck/run_description.hpp"

namespace talik {

// The text of the deck that the deck reader reads as d: record 1 the output
// choice (I2), record 2 the run line (I5 fields), records 3 to 5 the element
// set (I5 fields, then F10.0 fields), each line ended by LF, the fifth field
// of the rates record left blank.  Each real takes the last REAL_DIGITS of
// its ten columns, the first kept blank so that no two numbers touch.
// Throws InternalError for an integer that does not fit its field.
std::string deck_text(const RunDescription& d);
inline constexpr int REAL_DIGITS = 9;

// The single the deck reader reads from x written as deck_text writes it.
Single as_deck_real(double x);

// x in a field of width columns, right-justified, with as many digits as
// the field allows among the texts the deck reader reads back as exactly x:
// fixed point with the most decimals that fit, else an exponent form; for a
// value no text of that width reads back exactly, the nearest that fits.
std::string real_field(Single x, int width);

}  // namespace talik
