// text.hpp - text that comes from outside (decks, element files, command
// lines), as messages show it.
#pragma once

#include <string>
#include <string_view>

namespace talik {

// The UTF-8 byte order mark that some editors put before a text.
inline constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";

// text without a byte order mark at its start.
std::string_view without_byte_order_mark(std::string_view text);

// How messages name a source given on a command line.
std::string source_name(const std::string& name);

// text as a message quotes it: quoted, trimmed, cut after QUOTED_MAX
// characters, as one line of printable ASCII.
std::string quote(std::string_view text);
inline constexpr std::size_t QUOTED_MAX = 40;

// A message line as printed: control characters (bytes below 32 and 127)
// as \xNN, so that it stays one line and moves no cursor.
std::string printable(std::string_view text);

// The longest name kept, bytes of UTF-8.
inline constexpr std::size_t NAME_BYTES_MAX = 80;

// A name from outside (an element set's, a site's, a deck's file name) made
// fit to print on a terminal, in a table row or a file: bytes that are not
// UTF-8, control characters (C0, DEL, C1) and line or paragraph separators
// become U+FFFD; a name holding bidirectional controls is isolated (U+2068
// ... U+2069, with its own isolates closed), so that it cannot turn the
// text around it; a name longer than NAME_BYTES_MAX is cut at a character
// and ends in "...".
std::string clean_name(std::string_view raw);

}  // namespace talik
