// sky_svg_element, sky_svg - the sky plot of one pass.
//
// Given:    pass    PassView  the pass and its track in the sky
// Returned: (value) string    the plot's <svg> element (sky_svg_element), or
//                             a whole SVG document of it (sky_svg)
//
// Notes:
//  - North up, east right as on a map, the zenith at the centre, the horizon
//    on the outer ring.  The element uses no ids, so a page may hold many.
//  - AOS is an open circle, TCA a filled triangle, LOS a filled square; the
//    table's azimuths place AOS and LOS, the track gives their elevations.
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>

#include "plot/pictures.hpp"
#include "plot/plot.hpp"
#include "plot/style.hpp"
#include "plot/svg.hpp"
#include "plot/text.hpp"
#include "numeric/constants.hpp"

namespace talik::plot {
namespace {

constexpr double WIDTH = 360.0;      // picture units
constexpr double HEIGHT = 440.0;     // picture units
constexpr double CENTRE_X = 180.0;   // picture units
constexpr double CENTRE_Y = 222.0;   // picture units
constexpr double RADIUS = 130.0;     // horizon ring, picture units
constexpr double TRACK_WIDTH = 3.0;  // picture units
constexpr double MARKER_SIZE = 5.0;  // picture units

// Elevation 90 at the centre, 0 on the horizon ring; azimuth clockwise from
// north at the top, so east is on the right as on a map.
Px sky_point(double az_deg, double el_deg) {
    const double r = RADIUS * (90.0 - std::clamp(el_deg, 0.0, 90.0)) / 90.0;
    return {CENTRE_X + r * std::sin(az_deg * DEGRAD_DOUBLE), CENTRE_Y - r * std::cos(az_deg * DEGRAD_DOUBLE)};
}

std::string number_attr(std::string_view name, double value) {
    return " " + std::string(name) + "=\"" + coord(value) + "\"";
}

std::string grid() {
    std::string out = "<g fill=\"none\" stroke=\"#666666\">\n";
    out += "<circle" + number_attr("cx", CENTRE_X) + number_attr("cy", CENTRE_Y) + number_attr("r", RADIUS) +
           " stroke-width=\"1.4\"/>\n";
    for (const double el : {30.0, 60.0}) {
        out += "<circle" + number_attr("cx", CENTRE_X) + number_attr("cy", CENTRE_Y) +
               number_attr("r", RADIUS * (90.0 - el) / 90.0) + " stroke-width=\"0.7\" stroke-dasharray=\"3 3\"/>\n";
    }
    PathData spokes;
    spokes.polyline({sky_point(0, 0), sky_point(180, 0)});
    spokes.polyline({sky_point(90, 0), sky_point(270, 0)});
    out += "<path stroke-width=\"0.5\" d=\"" + spokes.str() + "\"/>\n</g>\n";
    out += "<g font-size=\"14\" font-weight=\"bold\" text-anchor=\"middle\">\n";
    const struct {
        double az;
        const char* name;
    } cardinals[] = {{0, "N"}, {90, "E"}, {180, "S"}, {270, "W"}};
    for (const auto& c : cardinals) {
        const Px p = sky_point(c.az, -1);
        const double out_x = 14 * std::sin(c.az * DEGRAD_DOUBLE), out_y = -14 * std::cos(c.az * DEGRAD_DOUBLE);
        out += "<text" + number_attr("x", p.x + out_x) + number_attr("y", p.y + out_y + 5) + ">" + c.name + "</text>\n";
    }
    out += "</g>\n<g font-size=\"10\" fill=\"#555555\">\n";
    for (const double el : {30.0, 60.0}) {
        const Px p = sky_point(20, el);
        out += "<text" + number_attr("x", p.x + 2) + number_attr("y", p.y) + ">" + coord(el) + "\u00B0</text>\n";
    }
    return out + "</g>\n";
}

// 0 in the shadow, 1 sunlit, 2 visible from the site.
int sky_style(const SkyPoint& p) { return p.visible ? 2 : (p.sunlit ? 1 : 0); }

std::string track(const std::vector<SkyPoint>& sky) {
    // A stretch takes the style of its first point and ends on the first
    // point of the next, as on the map.
    std::array<PathData, 3> paths;
    std::vector<Px> stretch;
    int state = 0;
    const auto flush = [&] {
        paths[static_cast<std::size_t>(state)].polyline(simplify(stretch, SIMPLIFY_TOLERANCE));
        stretch.clear();
    };
    for (const SkyPoint& point : sky) {
        if (!std::isfinite(point.az_deg) || !std::isfinite(point.el_deg)) continue;
        const Px p = sky_point(point.az_deg, point.el_deg);
        stretch.push_back(p);
        if (stretch.size() > 1 && sky_style(point) != state) {
            flush();
            stretch.push_back(p);
        }
        state = sky_style(point);
    }
    flush();
    std::string out;
    const auto group = [&](const PathData& path, std::string_view colour, double width, std::string_view dash) {
        if (path.empty()) return;
        out += "<path fill=\"none\" stroke=\"" + std::string(colour) + "\"" + number_attr("stroke-width", width);
        if (!dash.empty()) out += " stroke-dasharray=\"" + std::string(dash) + "\"";
        out += " d=\"" + path.str() + "\"/>\n";
    };
    group(paths[0], style::ECLIPSED, TRACK_WIDTH, style::SHADOW_DASH);
    group(paths[1], style::SUNLIT, TRACK_WIDTH, "");
    group(paths[2], style::INK, TRACK_WIDTH + 2 * style::OUTLINE, "");
    group(paths[2], style::VISIBLE, TRACK_WIDTH, "");
    return out;
}

// AOS: open circle, label above; TCA: filled triangle, label beside; LOS:
// filled square, label below.  Labels lean towards the centre.
std::string event(std::string_view name, std::int64_t t_ms, double az, double el) {
    if (!std::isfinite(az) || !std::isfinite(el)) return {};
    const Px p = sky_point(az, el);
    const double s = MARKER_SIZE;
    std::string out;
    if (name == "AOS") {
        out = "<circle" + number_attr("cx", p.x) + number_attr("cy", p.y) + number_attr("r", s) +
              " fill=\"#FFFFFF\" stroke=\"#000000\" stroke-width=\"1.5\"/>\n";
    } else if (name == "TCA") {
        PathData tri;
        tri.move_to({p.x, p.y - s * 1.2});
        tri.line_to({p.x + s, p.y + s * 0.8});
        tri.line_to({p.x - s, p.y + s * 0.8});
        tri.close();
        out = "<path fill=\"#000000\" d=\"" + tri.str() + "\"/>\n";
    } else {
        out = "<rect" + number_attr("x", p.x - s) + number_attr("y", p.y - s) + number_attr("width", 2 * s) +
              number_attr("height", 2 * s) + " fill=\"#000000\"/>\n";
    }
    const bool right_half = p.x > CENTRE_X;
    const double dy = name == "AOS" ? -9.0 : (name == "LOS" ? 17.0 : 4.0);
    const double dx = name == "TCA" ? 9.0 : 2.0;
    out += "<text" + number_attr("x", right_half ? p.x - dx : p.x + dx) + number_attr("y", p.y + dy) +
           (right_half ? " text-anchor=\"end\"" : "") + ">" + std::string(name) + " " + utc_hhmmss(t_ms) + "</text>\n";
    return out;
}

std::string legend() {
    std::string out = "<g font-size=\"11\">\n";
    out += "<path d=\"M16,392h26\" stroke=\"" + std::string(style::SUNLIT) + "\" stroke-width=\"3\"/>";
    out += "<text x=\"46\" y=\"396\">sunlit</text>\n";
    out += "<path d=\"M96,392h26\" stroke=\"" + std::string(style::ECLIPSED) +
           "\" stroke-width=\"3\" stroke-dasharray=\"" + std::string(style::SHADOW_DASH) + "\"/>";
    out += "<text x=\"126\" y=\"396\">in the Earth's shadow</text>\n";
    out += "<path d=\"M262,392h26\" stroke=\"" + std::string(style::INK) + "\"" +
           number_attr("stroke-width", TRACK_WIDTH + 2 * style::OUTLINE) + "/>";
    out += "<path d=\"M262,392h26\" stroke=\"" + std::string(style::VISIBLE) + "\"" +
           number_attr("stroke-width", TRACK_WIDTH) + "/>";
    out += "<text x=\"292\" y=\"396\">visible</text>\n";
    out += "<text x=\"16\" y=\"414\">\u25CB AOS  \u25B2 TCA (highest)  \u25A0 LOS; times UTC</text>\n";
    out += "<text x=\"16\" y=\"430\">N up, E right as on a map; zenith at the centre</text>\n";
    return out + "</g>\n";
}

}  // namespace

std::string sky_svg_element(const PassView& pass) {
    const std::string number = "Pass " + std::to_string(pass.number);
    std::string seen = "; Sun at " + fixed(pass.site_sun_el_deg, 1) + "\u00B0";
    if (pass.visible_s > 0) seen += ", visible " + duration_text(std::int64_t{pass.visible_s} * 1000);
    std::string out = svg_open(WIDTH, HEIGHT);
    out += "<title>" + number + ": " + escape_xml(pass.object) + " from " + escape_xml(pass.site) + ", rev " +
           std::to_string(pass.rev) + "</title>\n";
    out += "<rect" + number_attr("width", WIDTH) + number_attr("height", HEIGHT) + " fill=\"#FFFFFF\"/>\n";
    out += "<text x=\"16\" y=\"24\" font-size=\"15\" font-weight=\"bold\">" + number + ": " + escape_xml(pass.object) +
           "</text>\n";
    out += "<text x=\"16\" y=\"43\" font-size=\"12\">from " + escape_xml(pass.site) + ", rev " +
           std::to_string(pass.rev) + seen + "</text>\n";
    out += "<text x=\"16\" y=\"61\" font-size=\"12\">" + utc_datetime(pass.aos_ms) + " to " + utc_hhmmss(pass.los_ms) +
           " UTC, highest " + fixed(pass.tca_el_deg, 1) + "\u00B0</text>\n";
    out += grid() + track(pass.sky);
    out += "<g font-size=\"11\">\n";
    // The table's azimuths place AOS and LOS; the track gives their elevations.
    out += event("AOS", pass.aos_ms, pass.aos_az_deg, pass.sky.empty() ? 0.0 : pass.sky.front().el_deg);
    out += event("LOS", pass.los_ms, pass.los_az_deg, pass.sky.empty() ? 0.0 : pass.sky.back().el_deg);
    out += event("TCA", pass.tca_ms, pass.tca_az_deg, pass.tca_el_deg);
    out += "</g>\n" + legend();
    return out + "</svg>\n";
}

std::string sky_svg(const PassView& pass) { return svg_document(sky_svg_element(pass)); }

}  // namespace talik::plot
