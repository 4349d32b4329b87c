// The frame shared by every picture: the <svg> opening and the document.
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
