// The formats: RFC 4180 quoting, the JSON read back, the table's columns.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "time/iso_datim.hpp"
#include "time/model_calendar.hpp"
#include "passes/output.hpp"

namespace talik {
namespace {

Pass sample_pass() {
    Pass p;
    p.object = "25544 ISS \"ZARYA\", crew";
    p.site = "Madrid";
    p.rev = 12362;
    p.aos = model_seconds({2021, 10, 17, 15, 3, 12}) * TENTHS + 3;
    p.tca = p.aos + 3000;
    p.los = p.aos + 6125;
    p.aos_az_deg = 198.634;
    p.tca_el_deg = 21.705;
    p.tca_az_deg = 359.999;
    p.tca_range_km = 1119.06;
    p.los_az_deg = 65.17;
    p.sunlit_fraction = 2.0 / 3.0;
    p.marks = "AB";
    p.ends_after_window = true;
    p.filter_cut = true;
    return p;
}

TEST(Output, CsvFields) {
    const struct {
        const char* text;
        const char* field;
    } cases[] = {{"MADRID", "MADRID"},
                 {"a,b", "\"a,b\""},
                 {"say \"hi\"", "\"say \"\"hi\"\"\""},
                 {"two\nlines", "\"two\nlines\""},
                 {"", ""}};
    for (const auto& c : cases) EXPECT_EQ(csv_field(c.text), c.field) << c.text;
}

TEST(Output, CsvRowHasTheHeadersColumns) {
    const std::string row = csv_row(sample_pass());
    EXPECT_EQ(row,
              "\"25544 ISS \"\"ZARYA\"\", crew\",Madrid,12362,2021-10-17T15:03:12.3Z,198.63,2021-10-17T15:08:12.3Z,"
              "21.71,360.00,1119.1,2021-10-17T15:13:24.8Z,65.17,612.5,0.67,AB,ends_after_window;filter_cut,,,0.00,0,,");
}

TEST(Output, JsonReadsBack) {
    const Pass p = sample_pass();
    const auto j = nlohmann::json::parse(json_object(p));
    EXPECT_EQ(j.at("object"), p.object);
    EXPECT_EQ(j.at("rev"), p.rev);
    EXPECT_EQ(j.at("aos_utc"), iso_tenths(p.aos));
    EXPECT_DOUBLE_EQ(j.at("tca_el_deg").get<double>(), 21.71);
    EXPECT_DOUBLE_EQ(j.at("duration_s").get<double>(), 612.5);
    EXPECT_EQ(j.at("flags"), nlohmann::json::array({"ends_after_window", "filter_cut"}));
    // The same fields as the CSV's header, in its order.
    const auto ordered = nlohmann::ordered_json::parse(json_object(p));
    std::string keys;
    for (const auto& item : ordered.items()) keys += (keys.empty() ? "" : ",") + item.key();
    EXPECT_EQ(keys, CSV_HEADER);
}

TEST(Output, TableColumnsLineUp) {
    Pass a = sample_pass();
    Pass b = sample_pass();
    b.object = "x";
    b.rev = 7;
    b.tca_range_km = 38000.25;
    b.ends_after_window = b.filter_cut = false;
    const std::string head = table_heading(30, 8);
    const std::string ra = table_row(1, a, 30, 8);
    const std::string rb = table_row(12, b, 30, 8);
    for (const char* column : {"AOS (UTC)", "TCA (UTC)", "LOS (UTC)"}) {
        const auto at = head.find(column);
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(ra.substr(at, 10), "2021-10-17") << column;
        EXPECT_EQ(rb.substr(at, 10), "2021-10-17") << column;
    }
    EXPECT_EQ(ra.substr(0, rb.size()).size(), rb.size());
    EXPECT_EQ(rb.find("flags"), std::string::npos);
}

}  // namespace
}  // namespace talik
