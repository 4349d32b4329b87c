// map_svg_element, map_svg - the world map.
//
// Given:    data    PlotData  the track, the sites and the window
// Returned: (value) string    the map's <svg> element (map_svg_element), or
//                             a whole SVG document of it (map_svg)
//
// Notes:
//  - Layers from the bottom: the paper and the header; then, clipped to the
//    map, sea, land, graticule, the sites' regions and circles, the track
//    and its ticks; then the frame, the graticule labels, the site markers
//    and the legend.
//  - Every id starts with "talik-map-", so the map can stand once in a page.
#include <algorithm>
#include <cmath>
#include <string>

#include "plot/land.hpp"
#include "plot/map_layout.hpp"
#include "plot/pictures.hpp"
#include "plot/plot.hpp"
#include "plot/style.hpp"
#include "plot/text.hpp"

namespace talik::plot {
namespace {

constexpr double PICTURE_WIDTH = MapFrame::LEFT + MapFrame::WIDTH + 40.0;  // picture units
constexpr double MAP_BOTTOM = MapFrame::TOP + MapFrame::HEIGHT;
constexpr double LEGEND_TOP = MAP_BOTTOM + 44.0;  // picture units
constexpr double LEGEND_ROW = 24.0;               // picture units
constexpr double LEGEND_COLUMN = 360.0;           // picture units
constexpr int LEGEND_COLUMNS = 4;
constexpr int LEGEND_ROWS = 3;
constexpr double PICTURE_HEIGHT = LEGEND_TOP + LEGEND_ROWS * LEGEND_ROW + 8.0;  // picture units
constexpr int GRATICULE_STEP_DEG = 30;

std::string land_layer() {
    PathData path;
    for (const GeoLine& ring : land_rings()) {
        const GeoLine fill = fill_ring(ring);
        const auto [lo, hi] = std::minmax_element(fill.begin(), fill.end(),
                                                  [](const LonLat& a, const LonLat& b) { return a.lon < b.lon; });
        // Copies shifted by a turn fill what lies beyond the date line.
        for (const double shift : {-360.0, 0.0, 360.0}) {
            if (hi->lon + shift <= -180.0 || lo->lon + shift >= 180.0) continue;
            std::vector<Px> px;
            px.reserve(fill.size());
            for (const LonLat& p : fill) px.push_back(MapFrame::at({p.lon + shift, p.lat}));
            path.polyline(simplify(px, SIMPLIFY_TOLERANCE));
            path.close();
        }
    }
    std::string out = "<path fill=\"";
    out += style::LAND;
    out += "\" fill-rule=\"evenodd\" stroke=\"";
    out += style::COAST;
    return out + "\" stroke-width=\"" + coord(style::FINE_LINE) + "\" d=\"" + path.str() + "\"/>\n";
}

std::string degrees_label(int deg, char positive, char negative) {
    if (deg == 0 || std::abs(deg) == 180) return std::to_string(std::abs(deg)) + "\u00B0";
    return std::to_string(std::abs(deg)) + "\u00B0" + (deg > 0 ? positive : negative);
}

std::string graticule_lines() {
    PathData path;
    for (int lon = -180 + GRATICULE_STEP_DEG; lon < 180; lon += GRATICULE_STEP_DEG) {
        path.polyline({MapFrame::at({double(lon), 90}), MapFrame::at({double(lon), -90})});
    }
    for (int lat = -90 + GRATICULE_STEP_DEG; lat < 90; lat += GRATICULE_STEP_DEG) {
        path.polyline({MapFrame::at({-180, double(lat)}), MapFrame::at({180, double(lat)})});
    }
    std::string out = "<path fill=\"none\" stroke=\"";
    out += style::GRID;
    return out + "\" stroke-width=\"" + coord(style::FINE_LINE) + "\" d=\"" + path.str() + "\"/>\n";
}

std::string graticule_labels() {
    std::string out = "<g font-size=\"12\" fill=\"#333333\" text-anchor=\"middle\">\n";
    for (int lon = -180; lon <= 180; lon += GRATICULE_STEP_DEG) {
        const Px p = MapFrame::at({double(lon), -90});
        out += "<text x=\"" + coord(p.x) + "\" y=\"" + coord(p.y + 16) + "\">" + degrees_label(lon, 'E', 'W') +
               "</text>\n";
    }
    for (int lat = -90; lat <= 90; lat += GRATICULE_STEP_DEG) {
        const Px p = MapFrame::at({-180, double(lat)});
        out += "<text x=\"" + coord(p.x - 22) + "\" y=\"" + coord(p.y + 4) + "\">" + degrees_label(lat, 'N', 'S') +
               "</text>\n";
    }
    return out + "</g>\n";
}

// Header lines: baseline and font size, picture units.
struct HeaderLine {
    double baseline, font_size;
};
constexpr HeaderLine TITLE_LINE{34, 22}, WINDOW_LINE{60, 14}, OBJECT_LINE{82, 14};

std::string header_text(HeaderLine line, std::string_view weight, const std::string& text) {
    std::string out = "<text x=\"" + coord(MapFrame::LEFT) + "\" y=\"" + coord(line.baseline) + "\" font-size=\"" +
                      coord(line.font_size) + "\"";
    if (!weight.empty()) out += " font-weight=\"" + std::string(weight) + "\"";
    return out + ">" + text + "</text>\n";
}

std::string header(const PlotData& data) {
    std::vector<std::string> names;
    for (const SiteView& site : data.sites) names.push_back(site.name);
    const std::string sites = escaped_list(names);
    return header_text(TITLE_LINE, "bold", escape_xml(data.title)) +
           header_text(WINDOW_LINE, "",
                       "Window: " + utc_datetime(data.start_ms) + " to " + utc_datetime(data.end_ms) + " UTC") +
           header_text(OBJECT_LINE, "",
                       "Object: " + escape_xml(data.object) + (data.sites.size() == 1 ? "; site: " : "; sites: ") +
                           (sites.empty() ? "none" : sites));
}

// One legend entry: a sample of the drawing, then its explanation.
std::string legend_entry(int slot, std::string_view sample, std::string_view text) {
    const int row = slot / LEGEND_COLUMNS;
    const int column = slot % LEGEND_COLUMNS;
    const double x = MapFrame::LEFT + LEGEND_COLUMN * column;
    const double y = LEGEND_TOP + LEGEND_ROW * row;
    return "<g transform=\"translate(" + coord(x) + "," + coord(y) + ")\">" + std::string(sample) +
           "<text x=\"40\" y=\"4\">" + std::string(text) + "</text></g>\n";
}

std::string line_sample(std::string_view colour, double width, std::string_view dash) {
    std::string out = "<path d=\"M0,0h32\" fill=\"none\" stroke=\"" + std::string(colour) + "\" stroke-width=\"" +
                      coord(width) + "\"";
    if (!dash.empty()) out += " stroke-dasharray=\"" + std::string(dash) + "\"";
    return out + "/>";
}

std::string legend(const std::string& ticks_text) {
    const std::string site = "<rect x=\"11\" y=\"-5\" width=\"10\" height=\"10\" fill=\"" + std::string(style::SITE) +
                             "\" stroke=\"#000000\" stroke-width=\"1.2\"/>";
    const std::string hatch =
        "<rect x=\"0\" y=\"-7\" width=\"32\" height=\"14\" fill=\"url(#talik-map-hatch)\" stroke=\"" +
        std::string(style::PREFILTER) + "\"/>";
    std::string out = "<g font-size=\"13\">\n";
    out += legend_entry(0, line_sample(style::SUNLIT, style::TRACK_WIDTH, ""), "track, sunlit (solid)");
    out += legend_entry(1, line_sample(style::ECLIPSED, style::TRACK_WIDTH, style::SHADOW_DASH),
                        "track, in the Earth's shadow (dashed)");
    out += legend_entry(2, line_sample(style::SUNLIT, style::PASS_WIDTH, ""), "thick: during a pass");
    out += legend_entry(3,
                        line_sample(style::INK, style::PASS_WIDTH + 2 * style::OUTLINE, "") +
                            line_sample(style::VISIBLE, style::PASS_WIDTH, ""),
                        "outlined: visible against a dark sky");
    out += legend_entry(4, site, "site");
    out += legend_entry(5, line_sample(style::CIRCLE, 1.4, ""), "seen at 0\u00B0 elevation (solid)");
    out += legend_entry(6, line_sample(style::CIRCLE, 1.4, style::MIN_ELEVATION_DASH),
                        "seen at the minimum elevation (dashed)");
    out += legend_entry(7, hatch, "region a table station examines");
    // The longest text last, with nothing to its right.
    out += legend_entry(8, "<path d=\"M16,-5v10\" stroke=\"#000000\"/>", ticks_text);
    return out + "</g>\n";
}

std::string defs() {
    std::string out = "<defs>\n<clipPath id=\"talik-map-clip\"><rect x=\"" + coord(MapFrame::LEFT) + "\" y=\"" +
                      coord(MapFrame::TOP) + "\" width=\"" + coord(MapFrame::WIDTH) + "\" height=\"" +
                      coord(MapFrame::HEIGHT) + "\"/></clipPath>\n";
    out += "<pattern id=\"talik-map-hatch\" width=\"8\" height=\"8\" patternUnits=\"userSpaceOnUse\" "
           "patternTransform=\"rotate(45)\"><path d=\"M0,0v8\" stroke=\"" +
           std::string(style::PREFILTER) + "\" stroke-width=\"2.5\" stroke-opacity=\"0.6\"/></pattern>\n";
    return out + "</defs>\n";
}

}  // namespace

std::string map_svg_element(const PlotData& data) {
    std::string ticks_text;
    const std::string ticks = tick_layer(data, ticks_text);
    std::string out = svg_open(PICTURE_WIDTH, PICTURE_HEIGHT);
    out += "<title>" + escape_xml(data.title) + "</title>\n";
    out += "<desc>Ground track of " + escape_xml(data.object) + " from " + utc_datetime(data.start_ms) + " to " +
           utc_datetime(data.end_ms) + " UTC on an equirectangular world map.</desc>\n";
    out += defs();
    out += "<rect width=\"" + coord(PICTURE_WIDTH) + "\" height=\"" + coord(PICTURE_HEIGHT) + "\" fill=\"";
    out += style::PAPER;
    out += "\"/>\n" + header(data);
    out += "<g clip-path=\"url(#talik-map-clip)\">\n<rect id=\"talik-map-frame\" x=\"" + coord(MapFrame::LEFT) +
           "\" y=\"" + coord(MapFrame::TOP) + "\" width=\"" + coord(MapFrame::WIDTH) + "\" height=\"" +
           coord(MapFrame::HEIGHT) + "\" fill=\"";
    out += style::SEA;
    out += "\"/>\n" + land_layer() + graticule_lines() + site_regions_layer(data.sites) + track_layer(data.track) +
           ticks + "</g>\n";
    out += "<rect x=\"" + coord(MapFrame::LEFT) + "\" y=\"" + coord(MapFrame::TOP) + "\" width=\"" +
           coord(MapFrame::WIDTH) + "\" height=\"" + coord(MapFrame::HEIGHT) +
           "\" fill=\"none\" stroke=\"#000000\" stroke-width=\"1\"/>\n";
    out += graticule_labels() + site_marker_layer(data.sites) + legend(ticks_text);
    return out + "</svg>\n";
}

std::string map_svg(const PlotData& data) { return svg_document(map_svg_element(data)); }

}  // namespace talik::plot
