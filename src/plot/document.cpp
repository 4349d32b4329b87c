// svg_open, svg_document - the frame shared by every picture.
//
// Given:    width, height  double       size of the picture, picture units
//                                       (svg_open)
//           svg_element    string_view  a whole <svg> element (svg_document)
// Returned: (value)        string       the <svg> start tag with the SVG
//                                       namespace, version 1.1, the viewBox
//                                       and the font family (svg_open); the
//                                       element behind an XML declaration and
//                                       the SVG 1.1 DOCTYPE (svg_document)
#include <string>

#include "plot/pictures.hpp"
#include "plot/style.hpp"
#include "plot/text.hpp"

namespace talik::plot {

std::string svg_open(double width, double height) {
    std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" viewBox=\"0 0 ";
    out += coord(width) + " " + coord(height) + "\" font-family=\"";
    out += style::FONT_FAMILY;
    out += "\">\n";
    return out;
}

std::string svg_document(std::string_view svg_element) {
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\" \"http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd\">\n";
    out += svg_element;
    return out;
}

}  // namespace talik::plot
