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

// The document in UTF-8: the text itself (a byte order mark dropped) when it
// is in UTF-8, otherwise the text converted into converted.  Throws
// InputError for an encoding declared other than UTF-8 (or US-ASCII),
// UTF-16, UTF-32 and ISO-8859-1, one that contradicts the byte order mark,
// and bytes that are not characters of the encoding.
std::string_view xml_in_utf8(const std::string& display, std::string_view text, std::string& converted);

// Throws InputError, with the line, for a document with a DOCTYPE, and for
// one with more elements, texts and attributes than XML_BYTES_PER_NODE and
// XML_NODES_FLOOR allow for source_bytes, counted before the tree is built.
void check_xml_markup(const std::string& display, std::string_view utf8, std::size_t source_bytes);

}  // namespace talik::elements
