// Whole documents through an XML parser: names from the input come back as
// plain text and never as markup, and no track segment spans the map.
#include <gtest/gtest.h>

#include <cmath>
#include <pugixml.hpp>
#include <sstream>
#include <string_view>

#include "plot/plot.hpp"

namespace talik::plot {
namespace {

const std::string HOSTILE = "<script>alert(1)</script> & \"dq\" 'sq' </svg><svg onload=\"x()\">";

PlotData hostile_data() {
    PlotData d;
    d.title = "Title " + HOSTILE;
    d.object = "Object " + HOSTILE;
    d.start_ms = 1718064000000;
    d.end_ms = d.start_ms + 3 * 3600 * 1000;
    // A ground track in 0..360 that runs east round the world twice and a bit.
    for (int k = 0; k <= 360; ++k) {
        const double lon = std::fmod(5.0 + 2.1 * k, 360.0);
        d.track.push_back(
            {d.start_ms + k * 30'000LL, 50.0 * std::sin(k * 0.07), lon, k % 50 < 30, k % 70 < 10, k % 70 < 5});
    }
    d.sites.push_back({"Site " + HOSTILE, 40, -4, 20, 15, 5, Prefilter::LongitudeBand, 30});
    PassView p;
    p.object = "Pass object " + HOSTILE;
    p.site = "Pass site " + HOSTILE;
    p.number = 7;
    p.marks = HOSTILE;
    p.flags = {HOSTILE};
    p.site_sun_el_deg = -7.34;
    p.visible_s = 95;
    p.aos_ms = d.start_ms + 60'000;
    p.tca_ms = p.aos_ms + 240'000;
    p.los_ms = p.tca_ms + 240'000;
    p.sky = {{p.aos_ms, 10, 0, true, true}, {p.tca_ms, 90, 45, true, false}, {p.los_ms, 170, 0, false, false}};
    d.passes.push_back(p);
    return d;
}

pugi::xml_document parse(const std::string& text) {
    pugi::xml_document doc;
    const pugi::xml_parse_result r = doc.load_string(text.c_str());
    EXPECT_TRUE(r) << r.description() << " at offset " << r.offset;
    return doc;
}

// Every element name and attribute name in the document.
void expect_no_active_markup(const pugi::xml_document& doc) {
    struct Walker : pugi::xml_tree_walker {
        bool for_each(pugi::xml_node& node) override {
            if (node.type() != pugi::node_element) return true;
            EXPECT_NE(std::string_view(node.name()), "script");
            for (const pugi::xml_attribute& a : node.attributes()) {
                EXPECT_NE(std::string_view(a.name()).substr(0, 2), "on") << node.name();
            }
            return true;
        }
    } walker;
    const_cast<pugi::xml_document&>(doc).traverse(walker);
}

TEST(PlotDocuments, NamesFromTheInputStayText) {
    const PlotData d = hostile_data();
    const pugi::xml_document map = parse(map_svg(d));
    expect_no_active_markup(map);
    EXPECT_EQ(map.child("svg").child_value("title"), d.title);

    const pugi::xml_document sky = parse(sky_svg(d.passes.front()));
    expect_no_active_markup(sky);
    const std::string sky_title = sky.child("svg").child_value("title");
    EXPECT_NE(sky_title.find(d.passes.front().site), std::string::npos);
    EXPECT_EQ(sky_title.rfind("Pass 7: ", 0), 0U) << sky_title;

    const pugi::xml_document page = parse(page_html(d));
    expect_no_active_markup(page);
    const pugi::xml_node html = page.child("html");
    EXPECT_EQ(html.child("head").child_value("title"), d.title);
    EXPECT_EQ(html.child("body").child_value("h1"), d.title);
    // One inline map, one sky plot, and the table cells holding the names whole.
    EXPECT_EQ(page.select_nodes("//*[local-name()='svg']").size(), 2U);
    const auto heads = page.select_nodes("//th");
    const auto cells = page.select_nodes("//td");
    ASSERT_EQ(cells.size(), heads.size());
    const auto column = [&](std::string_view head) {
        for (std::size_t i = 0; i < heads.size(); ++i) {
            if (heads[i].node().child_value() == head) return std::string(cells[i].node().child_value());
        }
        return std::string("no column ") + std::string(head);
    };
    EXPECT_EQ(column("#"), "7");
    EXPECT_EQ(column("Site"), d.passes.front().site);
    EXPECT_EQ(column("Flags"), HOSTILE);
    EXPECT_EQ(column("Visible (s)"), "95");
    EXPECT_EQ(column("Sun el (\u00B0)"), "-7.3");
}

TEST(PlotDocuments, TrackNeverCrossesTheMap) {
    const pugi::xml_document map = parse(map_svg(hostile_data()));
    const pugi::xml_node frame = map.select_node("//*[@id='talik-map-frame']").node();
    const double half_width = frame.attribute("width").as_double() / 2;
    int segments = 0;
    for (const auto& path : map.select_nodes("//*[@id='talik-map-track']//*[local-name()='path']")) {
        // "Mx,y" starts a subpath; after "l" come relative steps "dx,dy".
        std::string spaced;
        for (const char c : std::string_view(path.node().attribute("d").value())) {
            spaced += (c == 'M' || c == 'l') ? std::string{' ', c, ' '} : std::string(1, c == ',' ? ' ' : c);
        }
        std::istringstream in(spaced);
        double dx = 0, dy = 0;
        for (std::string token; in >> token;) {
            if (token == "M") {
                in >> dx >> dy;
            } else if (token != "l") {
                dx = std::stod(token);
                in >> dy;
                EXPECT_LT(std::fabs(dx), half_width);
                ++segments;
            }
        }
    }
    EXPECT_GT(segments, 100);
}

}  // namespace
}  // namespace talik::plot
