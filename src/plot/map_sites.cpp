// site_regions_layer, site_marker_boxes, site_marker_layer - the sites on
// the map.
//
// Given:    sites   vector of SiteView  the sites
// Returned: (value) string       the pre-filter regions (hatched) and the
//                                visibility circles, at the horizon and at
//                                the minimum elevation where that differs
//                                (site_regions_layer);
//                                the markers and names (site_marker_layer)
//           (value) vector of Box  where the markers and names go, roughly,
//                                so that other labels keep off
//                                (site_marker_boxes)
//
// Notes:
//  - A site or a value that is not finite is left out.
//  - Names of sites in the map's eastern quarter go to the left of their
//    markers.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "plot/map_layout.hpp"
#include "plot/style.hpp"
#include "plot/text.hpp"

namespace talik::plot {
namespace {

constexpr int CIRCLE_POINTS = 360;        // one point per degree of bearing
constexpr double CIRCLE_WIDTH = 1.4;      // picture units
constexpr double MARKER_HALF_SIZE = 5.0;  // picture units
constexpr double NAME_FONT_SIZE = 13.0;   // picture units
constexpr double NAME_OFFSET = 8.0;       // picture units
constexpr double NAME_CHAR_WIDTH = 8.5;   // rough advance of a bold letter, picture units
constexpr double SAME_RADIUS_DEG = 1e-6;

std::string rect(Px top_left, Px bottom_right) {
    return "<rect x=\"" + coord(top_left.x) + "\" y=\"" + coord(top_left.y) + "\" width=\"" +
           coord(bottom_right.x - top_left.x) + "\" height=\"" + coord(bottom_right.y - top_left.y) + "\"/>\n";
}

// The region between two longitudes (west < east, east - west <= 360), as
// one or two rectangles split at the date line.
std::string band(double west, double east) {
    const double w = wrap_lon(west);
    const double e = w + (east - west);
    std::string out = rect(MapFrame::at({w, 90}), MapFrame::at({std::min(e, 180.0), -90}));
    if (e > 180.0) out += rect(MapFrame::at({-180, 90}), MapFrame::at({e - 360.0, -90}));
    return out;
}

std::string prefilter_region(const SiteView& site) {
    const double v = site.prefilter_value;
    if (!std::isfinite(v) || !std::isfinite(site.lon_deg)) return {};
    switch (site.prefilter) {
    case Prefilter::LongitudeBand: {
        const double half = std::clamp(std::fabs(v), 0.0, 180.0);
        return band(site.lon_deg - half, site.lon_deg + half);
    }
    case Prefilter::LatitudeAtLeast:
        return rect(MapFrame::at({-180, 90}), MapFrame::at({180, std::clamp(v, -90.0, 90.0)}));
    case Prefilter::LatitudeAtMost:
        return rect(MapFrame::at({-180, std::clamp(v, -90.0, 90.0)}), MapFrame::at({180, -90}));
    case Prefilter::None: break;
    }
    return {};
}

void add_circle(PathData& path, const SiteView& site, double radius_deg) {
    if (!std::isfinite(radius_deg) || !std::isfinite(site.lat_deg) || !std::isfinite(site.lon_deg)) return;
    add_geo_lines(path, split_at_date_line(small_circle({site.lon_deg, site.lat_deg}, radius_deg, CIRCLE_POINTS)));
}

std::optional<Px> marker_position(const SiteView& site) {
    if (!std::isfinite(site.lat_deg) || !std::isfinite(site.lon_deg)) return std::nullopt;
    return MapFrame::at({wrap_lon(site.lon_deg), std::clamp(site.lat_deg, -90.0, 90.0)});
}

// Names of sites in the map's eastern part go to the left of the marker.
bool name_on_left(Px marker) { return marker.x > MapFrame::LEFT + 0.75 * MapFrame::WIDTH; }

}  // namespace

std::string site_regions_layer(const std::vector<SiteView>& sites) {
    std::string regions;
    PathData horizon, min_elevation;
    for (const SiteView& site : sites) {
        regions += prefilter_region(site);
        add_circle(horizon, site, site.horizon_radius_deg);
        if (std::fabs(site.min_elev_radius_deg - site.horizon_radius_deg) > SAME_RADIUS_DEG) {
            add_circle(min_elevation, site, site.min_elev_radius_deg);
        }
    }
    std::string out;
    if (!regions.empty()) {
        out += "<g fill=\"url(#talik-map-hatch)\" stroke=\"";
        out += style::PREFILTER;
        out += "\" stroke-width=\"1\">\n" + regions + "</g>\n";
    }
    const auto group = [&](const PathData& path, std::string_view dash) {
        if (path.empty()) return;
        out += "<g fill=\"none\" stroke=\"";
        out += style::CIRCLE;
        out += "\" stroke-width=\"" + coord(CIRCLE_WIDTH) + "\"";
        if (!dash.empty()) out += " stroke-dasharray=\"" + std::string(dash) + "\"";
        out += "><path d=\"" + path.str() + "\"/></g>\n";
    };
    group(horizon, "");
    group(min_elevation, style::MIN_ELEVATION_DASH);
    return out;
}

std::vector<Box> site_marker_boxes(const std::vector<SiteView>& sites) {
    std::vector<Box> boxes;
    for (const SiteView& site : sites) {
        if (!marker_position(site)) continue;
        const Px p = *marker_position(site);
        const double name_width = NAME_CHAR_WIDTH * static_cast<double>(site.name.size());
        const double west = name_on_left(p) ? p.x - NAME_OFFSET - name_width : p.x - MARKER_HALF_SIZE;
        const double east = name_on_left(p) ? p.x + MARKER_HALF_SIZE : p.x + NAME_OFFSET + name_width;
        boxes.push_back({west, p.y - NAME_OFFSET - NAME_FONT_SIZE, east, p.y + MARKER_HALF_SIZE});
    }
    return boxes;
}

std::string site_marker_layer(const std::vector<SiteView>& sites) {
    std::string out = "<g font-size=\"" + coord(NAME_FONT_SIZE) + "\" font-weight=\"bold\">\n";
    for (const SiteView& site : sites) {
        if (!marker_position(site)) continue;
        const Px p = *marker_position(site);
        out += "<rect x=\"" + coord(p.x - MARKER_HALF_SIZE) + "\" y=\"" + coord(p.y - MARKER_HALF_SIZE) +
               "\" width=\"" + coord(2 * MARKER_HALF_SIZE) + "\" height=\"" + coord(2 * MARKER_HALF_SIZE) +
               "\" fill=\"";
        out += style::SITE;
        out += "\" stroke=\"";
        out += style::INK;
        out += "\" stroke-width=\"1.2\"/>\n";
        const bool left = name_on_left(p);
        out += "<text x=\"" + coord(left ? p.x - NAME_OFFSET : p.x + NAME_OFFSET) + "\" y=\"" +
               coord(p.y - NAME_OFFSET) + "\"" + (left ? " text-anchor=\"end\"" : "") + ">" + escape_xml(site.name) +
               "</text>\n";
    }
    return out + "</g>\n";
}

}  // namespace talik::plot
