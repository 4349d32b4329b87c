// page_html - the HTML page: the map, a sky plot for each pass and the pass
// table.
//
// Given:    data    PlotData  the track, the sites and the passes
// Returned: (value) string    the page: HTML that is also well-formed XML,
//                             carries its pictures inline and loads nothing
#include <string>

#include "plot/pictures.hpp"
#include "plot/plot.hpp"
#include "plot/text.hpp"

namespace talik::plot {
namespace {

// Inline CSS only; the page loads nothing and runs nothing.
constexpr std::string_view STYLE = R"CSS(
body { font-family: "DejaVu Sans", Arial, Helvetica, sans-serif; color: #000; background: #fff;
       margin: 0 auto; padding: 0.5em; max-width: 1600px; }
h1 { font-size: 1.4em; margin: 0.3em 0; }
h2 { font-size: 1.15em; margin: 1em 0 0.4em; }
p { margin: 0.2em 0; }
svg { display: block; width: 100%; height: auto; }
figure { margin: 0; }
.skies { display: flex; flex-wrap: wrap; gap: 1em; }
.skies figure { flex: 1 1 300px; max-width: 440px; break-inside: avoid; page-break-inside: avoid; }
.table-wrap { overflow-x: auto; }
table { border-collapse: collapse; font-size: 0.9em; white-space: nowrap; }
th, td { border: 1px solid #999; padding: 0.2em 0.5em; text-align: right; }
th { background: #eee; }
td.text { text-align: left; }
@media print {
  body { max-width: none; padding: 0; }
  th { background: none; }
  .table-wrap { overflow: visible; }
  figure, tr { break-inside: avoid; page-break-inside: avoid; }
}
)CSS";

std::string cell(const std::string& text, bool is_text = false) {
    return (is_text ? "<td class=\"text\">" : "<td>") + text + "</td>";
}

std::string pass_row(const PassView& p) {
    const std::string flags = escaped_list(p.flags);
    std::string row = "<tr>" + cell(std::to_string(p.number));
    row += cell(escape_xml(p.object), true) + cell(escape_xml(p.site), true) + cell(std::to_string(p.rev));
    row += cell(utc_datetime(p.aos_ms)) + cell(fixed(p.aos_az_deg, 1));
    row += cell(utc_datetime(p.tca_ms)) + cell(fixed(p.tca_el_deg, 1)) + cell(fixed(p.tca_az_deg, 1));
    row += cell(fixed(p.tca_range_km, 0)) + cell(utc_datetime(p.los_ms)) + cell(fixed(p.los_az_deg, 1));
    row += cell(duration_text(p.los_ms - p.aos_ms)) + cell(fixed(100.0 * p.sunlit_fraction, 0) + " %");
    row += cell(fixed(p.site_sun_el_deg, 1)) + cell(std::to_string(p.visible_s));
    row += cell(escape_xml(p.marks), true) + cell(flags, true);
    return row + "</tr>\n";
}

std::string pass_table(const std::vector<PassView>& passes) {
    std::string out = "<div class=\"table-wrap\"><table>\n<thead><tr>";
    for (const char* head : {"#", "Object", "Site", "Rev", "AOS (UTC)", "AOS az (\u00B0)", "TCA (UTC)",
                             "TCA el (\u00B0)", "TCA az (\u00B0)", "Range (km)", "LOS (UTC)", "LOS az (\u00B0)",
                             "Duration", "Sunlit fraction", "Sun el (\u00B0)", "Visible (s)", "Marks", "Flags"}) {
        out += "<th>" + std::string(head) + "</th>";
    }
    out += "</tr></thead>\n<tbody>\n";
    for (const PassView& p : passes) out += pass_row(p);
    return out + "</tbody>\n</table></div>\n";
}

}  // namespace

std::string page_html(const PlotData& data) {
    std::vector<std::string> names;
    for (const SiteView& site : data.sites) names.push_back(site.name);
    const std::string sites = escaped_list(names);
    std::string out = "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n<head>\n"
                      "<meta charset=\"utf-8\"/>\n"
                      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n";
    out += "<title>" + escape_xml(data.title) + "</title>\n<style>";
    out += STYLE;
    out += "</style>\n</head>\n<body>\n";
    out += "<h1>" + escape_xml(data.title) + "</h1>\n";
    out += "<p>Object: " + escape_xml(data.object) + (data.sites.size() == 1 ? "; site: " : "; sites: ") +
           (sites.empty() ? "none" : sites) + "</p>\n";
    out += "<p>Window: " + utc_datetime(data.start_ms) + " to " + utc_datetime(data.end_ms) + " UTC; " +
           std::to_string(data.passes.size()) + (data.passes.size() == 1 ? " pass" : " passes") + "</p>\n";
    out += "<figure class=\"map\">\n" + map_svg_element(data) + "</figure>\n";
    out += "<h2>Passes in the sky</h2>\n";
    if (data.passes.empty()) {
        out += "<p>No pass in the window.</p>\n";
    } else {
        out += "<div class=\"skies\">\n";
        for (const PassView& pass : data.passes) out += "<figure>\n" + sky_svg_element(pass) + "</figure>\n";
        out += "</div>\n";
    }
    out += "<h2>Pass table</h2>\n" + pass_table(data.passes);
    return out + "</body>\n</html>\n";
}

}  // namespace talik::plot
