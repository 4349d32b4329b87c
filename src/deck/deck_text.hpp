// deck_text.hpp - writing a deck that talik reads back as given.
#pragma once

#include <string>

#include "numeric/single.hpp"
#include "deck/run_description.hpp"

namespace talik {

// The text of the deck that the deck reader reads as d.
std::string deck_text(const RunDescription& d);
// Columns a real of deck_text takes, of the ten of its field.
inline constexpr int REAL_DIGITS = 9;

// The single the deck reader reads from x written as deck_text writes it.
Single as_deck_real(double x);

// x in a field of width columns, right-justified, with as many digits as the
// field allows among the texts the deck reader reads back as exactly x.
std::string real_field(Single x, int width);

}  // namespace talik
