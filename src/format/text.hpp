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

// text as a message quotes it: quoted, trimmed, cut after QUOTED_MAX
// characters, as one line of printable ASCII.
std::string quote(std::string_view text);
inline constexpr std::size_t QUOTED_MAX = 40;

}  // namespace talik
