// read_xml - mean-element messages in XML: <ndm> holding <omm>s, or one
// <omm>.
//
// Given:    display  string           the source's name in messages
//           text     string_view      the text of an XML document, as read
//           out      ElementSetsRead  what has been read so far
// Returned: out      ElementSetsRead  one set per <segment> appended (<omm> >
//                                     <body> > <segment> > <metadata> and
//                                     <data> > <meanElements>,
//                                     <tleParameters>); one problem per
//                                     segment, or <omm> without one, that
//                                     cannot be read
// Thrown:   InputError                naming the source (and the line): a
//                                     document refused before it is parsed
//                                     (xml_in_utf8, check_xml_markup), one
//                                     that is not well-formed, holds no
//                                     element, or whose root is neither
//                                     <ndm> nor <omm>
//
// Notes:
//  - pugixml parses without a DTD: it expands no entity but the five
//    predefined ones and character references, fetches nothing, and builds
//    the tree without recursion, so no input can make it reach outside the
//    text or exhaust the stack; a DOCTYPE is refused before.
//  - The document reaches it in UTF-8, its nodes counted (xml_text.cpp); an
//    element's first text is kept in the element, not a node of its own.
//    The walk below goes down a fixed number of levels.
#include <pugixml.hpp>

#include "elements/fields.hpp"
#include "format/text.hpp"
#include "elements/keyed.hpp"
#include "elements/readers.hpp"
#include "elements/xml_text.hpp"

namespace talik::elements {

namespace {

void collect(KeyedSet& set, const pugi::xml_node& block, LineCounter& lines) {
    for (const pugi::xml_node& element : block.children()) {
        if (element.type() != pugi::node_element) continue;
        const std::size_t offset = element.offset_debug() < 0 ? 0 : static_cast<std::size_t>(element.offset_debug());
        set.add(element.name(), element.child_value(), "line " + std::to_string(lines.line_of(offset)));
    }
}

std::string where(const pugi::xml_node& node, LineCounter& lines) {
    const std::ptrdiff_t offset = node.offset_debug();
    return "line " + std::to_string(lines.line_of(offset < 0 ? 0 : static_cast<std::size_t>(offset)));
}

void read_message(const std::string& display, const pugi::xml_node& omm, LineCounter& lines, ElementSetsRead& out) {
    const pugi::xml_node body = omm.child("body");
    if (!body.child("segment")) {
        KeyedSet set(display, where(omm, lines));
        set.spoil(where(omm, lines) + ": <omm> without <body><segment>");
        set.deliver(out);
        return;
    }
    for (const pugi::xml_node& segment : body.children("segment")) {
        KeyedSet set(display, where(segment, lines));
        const pugi::xml_node data = segment.child("data");
        collect(set, segment.child("metadata"), lines);
        collect(set, data.child("meanElements"), lines);
        collect(set, data.child("tleParameters"), lines);
        set.deliver(out);
    }
}

}  // namespace

void read_xml(const std::string& display, std::string_view text, ElementSetsRead& out) {
    std::string converted;
    const std::string_view utf8 = xml_in_utf8(display, text, converted);
    check_xml_markup(display, utf8, text.size());
    constexpr unsigned OPTIONS = pugi::parse_default | pugi::parse_embed_pcdata;
    pugi::xml_document document;
    // Parsed in a copy: the parser writes into its text, and the lines are counted in this one.
    const pugi::xml_parse_result parsed = document.load_buffer(utf8.data(), utf8.size(), OPTIONS, pugi::encoding_utf8);
    LineCounter lines(utf8);
    if (!parsed) {
        const std::size_t offset = parsed.offset < 0 ? 0 : static_cast<std::size_t>(parsed.offset);
        throw InputError(display + ": line " + std::to_string(lines.line_of(offset)) + ": not well-formed XML (" +
                         parsed.description() + ")");
    }
    const pugi::xml_node root = document.document_element();
    if (!root) throw InputError(display + ": the XML document holds no element");
    const std::string root_name = root.name();
    if (root_name == "omm") {
        read_message(display, root, lines, out);
    } else if (root_name == "ndm") {
        for (const pugi::xml_node& omm : root.children("omm")) read_message(display, omm, lines, out);
    } else {
        throw InputError(display + ": " + where(root, lines) + ": the document is " + quote("<" + root_name + ">") +
                         ", not <ndm> or <omm>");
    }
}

}  // namespace talik::elements
