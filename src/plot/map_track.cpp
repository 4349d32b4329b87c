// add_geo_lines, track_layer, tick_layer - the ground track on the map.
//
// Given:    path    PathData       path data to add to (add_geo_lines)
//           lines   vector of GeoLine  lines already cut at the date line
//           track   vector of TrackSample  the track, in time order
//                                  (track_layer)
//           data    PlotData       the track, the window and the sites
//                                  (tick_layer)
// Returned: path    PathData       the lines, projected and simplified
//           (value) string         the track's layer (track_layer), the
//                                  ticks and their labels (tick_layer)
//           legend  string         the spacing of the ticks and the labels
//                                  (tick_layer)
//
// Notes:
//  - The track is drawn in four stretches by state: sunlit solid, in the
//    shadow dashed, thick inside passes.  A stretch takes the state of its
//    first sample and ends on the first sample of the next, so the line has
//    no gaps; a sample that is not finite breaks it.
//  - Ticks and labels fall on whole multiples of spacings from 10 minutes to
//    a day, the smallest that keep at most 240 ticks and 24 labels.  A label
//    that would cover a site's or another label, or leave the map, is left
//    out.
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "plot/map_layout.hpp"
#include "plot/style.hpp"
#include "plot/text.hpp"

namespace talik::plot {
namespace {

constexpr std::int64_t MS_PER_MINUTE = 60'000;
constexpr std::int64_t MS_PER_DAY = 1440 * MS_PER_MINUTE;
// Spacings for ticks and labels, minutes; each divides the next and a day.
constexpr std::array<std::int64_t, 7> SPACINGS_MIN = {10, 30, 60, 180, 360, 720, 1440};
constexpr std::int64_t MAX_TICKS = 240;
constexpr std::int64_t MAX_LABELS = 24;
constexpr double TICK_HALF_LENGTH = 4.5;  // picture units
constexpr double LABEL_OFFSET = 7.0;      // from the track, picture units
constexpr double LABEL_FONT_SIZE = 11.0;  // picture units
constexpr double LABEL_CHAR_WIDTH = 6.6;  // rough advance of a digit, picture units

bool finite_sample(const TrackSample& s) { return std::isfinite(s.lat_deg) && std::isfinite(s.lon_deg); }

std::string stroke_group(std::string_view colour, double width, std::string_view dash, const PathData& path) {
    if (path.empty()) return {};
    std::string out = "<g fill=\"none\" stroke=\"";
    out += colour;
    out += "\" stroke-width=\"" + coord(width) + "\" stroke-linejoin=\"round\"";
    if (!dash.empty()) {
        out += " stroke-dasharray=\"";
        out += dash;
        out += "\"";
    }
    out += "><path d=\"" + path.str() + "\"/></g>\n";
    return out;
}

// The smallest spacing that keeps the count of marks within `max_count`.
std::int64_t spacing_for(std::int64_t span_ms, std::int64_t at_least_min, std::int64_t max_count) {
    for (const std::int64_t s : SPACINGS_MIN) {
        if (s >= at_least_min && span_ms / (s * MS_PER_MINUTE) <= max_count) return s;
    }
    return SPACINGS_MIN.back();
}

}  // namespace

void add_geo_lines(PathData& path, const std::vector<GeoLine>& lines) {
    for (const GeoLine& line : lines) {
        std::vector<Px> px;
        px.reserve(line.size());
        for (const LonLat& p : line) px.push_back(MapFrame::at(p));
        path.polyline(simplify(px, SIMPLIFY_TOLERANCE));
    }
}

std::string track_layer(const std::vector<TrackSample>& track) {
    // One path per state; a stretch takes the state of its first sample and
    // ends on the first sample of the next, so the line has no gaps.
    std::array<PathData, 5> paths;  // by TrackSample::style()
    GeoLine stretch;
    int state = -1;
    const auto flush = [&] {
        if (state >= 0) add_geo_lines(paths[static_cast<std::size_t>(state)], split_at_date_line(stretch));
        stretch.clear();
    };
    for (const TrackSample& s : track) {
        if (!finite_sample(s)) {
            flush();
            state = -1;
            continue;
        }
        const LonLat p{s.lon_deg, s.lat_deg};
        stretch.push_back(p);
        if (state >= 0 && s.style() != state) {
            flush();
            stretch.push_back(p);
        }
        state = s.style();
    }
    flush();
    std::string out = "<g id=\"talik-map-track\">\n";
    out += stroke_group(style::ECLIPSED, style::TRACK_WIDTH, style::SHADOW_DASH, paths[0]);
    out += stroke_group(style::SUNLIT, style::TRACK_WIDTH, "", paths[2]);
    out += stroke_group(style::ECLIPSED, style::PASS_WIDTH, style::SHADOW_DASH, paths[1]);
    out += stroke_group(style::SUNLIT, style::PASS_WIDTH, "", paths[3]);
    out += stroke_group(style::INK, style::PASS_WIDTH + 2 * style::OUTLINE, "", paths[4]);
    out += stroke_group(style::VISIBLE, style::PASS_WIDTH, "", paths[4]);
    return out + "</g>\n";
}

std::string tick_layer(const PlotData& data, std::string& legend) {
    const std::int64_t span = data.end_ms - data.start_ms;
    const std::int64_t tick_min = spacing_for(span, 0, MAX_TICKS);
    const std::int64_t label_min = spacing_for(span, tick_min, MAX_LABELS);
    const std::int64_t tick_ms = tick_min * MS_PER_MINUTE, label_ms = label_min * MS_PER_MINUTE;
    // Over more than a day a time of day names two instants: the labels carry the date.
    const bool dated = span > MS_PER_DAY;
    legend = "tick every " + std::to_string(tick_min) + " min, " +
             (dated ? "date and time (UTC, MM-DD hh:mm)" : "time (UTC)") + " every " + std::to_string(label_min) +
             " min";

    PathData ticks;
    std::string labels;
    std::vector<Box> placed = site_marker_boxes(data.sites);
    for (std::size_t i = 1; i < data.track.size(); ++i) {
        const TrackSample& a = data.track[i - 1];
        const TrackSample& b = data.track[i];
        if (!finite_sample(a) || !finite_sample(b) || b.t_ms <= a.t_ms) continue;
        // Tick times t with a.t_ms < t <= b.t_ms (the first sample's own time
        // too), whole multiples of the spacing.
        std::int64_t t = (a.t_ms / tick_ms) * tick_ms;
        while (t < a.t_ms || (t == a.t_ms && i > 1)) t += tick_ms;
        const double a_lon = wrap_lon(a.lon_deg);
        const double b_lon = a_lon + std::remainder(b.lon_deg - a.lon_deg, 360.0);
        const Px pa = MapFrame::at({a_lon, a.lat_deg}), pb = MapFrame::at({b_lon, b.lat_deg});
        const double len = std::hypot(pb.x - pa.x, pb.y - pa.y);
        if (len == 0) continue;
        const Px normal{-(pb.y - pa.y) / len, (pb.x - pa.x) / len};
        for (; t <= b.t_ms; t += tick_ms) {
            const double f = static_cast<double>(t - a.t_ms) / static_cast<double>(b.t_ms - a.t_ms);
            const LonLat at{wrap_lon(a_lon + f * (b_lon - a_lon)), a.lat_deg + f * (b.lat_deg - a.lat_deg)};
            const Px p = MapFrame::at(at);
            ticks.move_to({p.x - normal.x * TICK_HALF_LENGTH, p.y - normal.y * TICK_HALF_LENGTH});
            ticks.line_to({p.x + normal.x * TICK_HALF_LENGTH, p.y + normal.y * TICK_HALF_LENGTH});
            if (t % label_ms != 0) continue;
            // The label beside the tick, on the side its normal points to,
            // unless it would cover another label or leave the map.
            const std::string text = dated ? utc_mmdd_hhmm(t) : utc_hhmm(t);
            const double w = LABEL_CHAR_WIDTH * static_cast<double>(text.size());
            const bool right = normal.x >= 0;
            const Px anchor{p.x + normal.x * LABEL_OFFSET, p.y + normal.y * LABEL_OFFSET + LABEL_FONT_SIZE / 3};
            const Box box{right ? anchor.x : anchor.x - w, anchor.y - LABEL_FONT_SIZE, right ? anchor.x + w : anchor.x,
                          anchor.y + 2};
            bool free = box.x0 >= MapFrame::LEFT && box.x1 <= MapFrame::LEFT + MapFrame::WIDTH &&
                        box.y0 >= MapFrame::TOP && box.y1 <= MapFrame::TOP + MapFrame::HEIGHT;
            for (const Box& other : placed) free = free && !box.overlaps(other);
            if (!free) continue;
            placed.push_back(box);
            labels += "<text x=\"" + coord(anchor.x) + "\" y=\"" + coord(anchor.y) + "\"" +
                      (right ? "" : " text-anchor=\"end\"") + ">" + text + "</text>\n";
        }
    }
    std::string out = stroke_group(style::INK, 1.0, "", ticks);
    if (!labels.empty()) {
        out += "<g font-size=\"" + coord(LABEL_FONT_SIZE) + "\" fill=\"";
        out += style::INK;
        out += "\">\n" + labels + "</g>\n";
    }
    return out;
}

}  // namespace talik::plot
