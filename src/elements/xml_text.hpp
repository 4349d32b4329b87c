// xml_text.hpp - the text of an XML element file before it is parsed: its
// encoding, and the size of the tree it would make.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace talik::elements {

// Whether a text is XML in UTF-16 or UTF-32: it starts with the byte order
// mark of either, or its first character is '<' in either.
bool is_wide_xml(std::string_view text);

// The document in UTF-8: the text itself when it is in UTF-8, otherwise the
// text converted into converted; an encoding not read is refused.
std::string_view xml_in_utf8(const std::string& display, std::string_view text, std::string& converted);

// Refuses a document with a DOCTYPE, or with more nodes than allowed for
// source_bytes, counted before the tree is built.
void check_xml_markup(const std::string& display, std::string_view utf8, std::size_t source_bytes);

}  // namespace talik::elements
