// The output formats of talik-passes.
//
// Notes:
//  - Azimuths and elevations have two decimals, ranges one, durations one
//    (the times' own resolution), the sunlit fraction two.
//  - JSON numbers are the same rounded values, so CSV and JSON agree.
#include "passes/output.hpp"

#include <cerrno>
#include <cmath>
#include <nlohmann/json.hpp>

#include "format/errors.hpp"
#include "time/iso_datim.hpp"
#include "time/model_calendar.hpp"

namespace talik {

const char* const CSV_HEADER =
    "object,site,rev,aos_utc,aos_az_deg,tca_utc,tca_el_deg,tca_az_deg,tca_range_km,los_utc,los_az_deg,duration_s,"
    "sunlit_fraction,marks,flags";

namespace {

// Decimals of each kind of number.
constexpr int ANGLE_DECIMALS = 2;
constexpr int RANGE_DECIMALS = 1;
constexpr int DURATION_DECIMALS = 1;
constexpr int FRACTION_DECIMALS = 2;

double rounded(double x, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double r = std::round(x * scale) / scale;
    return r == 0.0 ? 0.0 : r;  // no "-0"
}

std::string fixed(double x, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, rounded(x, decimals));
    return text;
}

std::string joined_flags(const Pass& pass) {
    std::string text;
    for (const std::string& f : pass.flags()) text += (text.empty() ? "" : ";") + f;
    return text;
}

// "2021-10-17 15:03:12.3" for the table.
std::string table_time(std::int64_t tenths) {
    std::string t = iso_tenths(tenths);
    t[10] = ' ';
    t.pop_back();
    return t;
}

// The columns after the object and the site, each as wide as its widest value.
constexpr const char* TABLE_COLUMNS = "%7s  %-21s  %6s  %-21s  %5s  %6s  %10s  %-21s  %6s  %8s  %6s  %-5s";

std::string padded(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

}  // namespace

std::vector<std::string> Pass::flags() const {
    std::vector<std::string> f;
    if (starts_before_window) f.emplace_back(FLAG_STARTS_BEFORE);
    if (ends_after_window) f.emplace_back(FLAG_ENDS_AFTER);
    if (filter_cut) f.emplace_back(FLAG_FILTER_CUT);
    if (stale_elements) f.emplace_back(FLAG_STALE_ELEMENTS);
    return f;
}

std::string csv_field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string q = "\"";
    for (const char c : text) {
        q += c;
        if (c == '"') q += '"';
    }
    return q + "\"";
}

std::string csv_row(const Pass& p) {
    return csv_field(p.object) + "," + csv_field(p.site) + "," + std::to_string(p.rev) + "," + iso_tenths(p.aos) +
           "," + fixed(p.aos_az_deg, ANGLE_DECIMALS) + "," + iso_tenths(p.tca) + "," +
           fixed(p.tca_el_deg, ANGLE_DECIMALS) + "," + fixed(p.tca_az_deg, ANGLE_DECIMALS) + "," +
           fixed(p.tca_range_km, RANGE_DECIMALS) + "," + iso_tenths(p.los) + "," +
           fixed(p.los_az_deg, ANGLE_DECIMALS) + "," + fixed(p.duration_s(), DURATION_DECIMALS) + "," +
           fixed(p.sunlit_fraction, FRACTION_DECIMALS) + "," + csv_field(p.marks) + "," +
           csv_field(joined_flags(p));
}

std::string json_object(const Pass& p) {
    // Built field by field: nlohmann's ordered_json keeps the CSV's order.
    nlohmann::ordered_json j;
    j["object"] = p.object;
    j["site"] = p.site;
    j["rev"] = p.rev;
    j["aos_utc"] = iso_tenths(p.aos);
    j["aos_az_deg"] = rounded(p.aos_az_deg, ANGLE_DECIMALS);
    j["tca_utc"] = iso_tenths(p.tca);
    j["tca_el_deg"] = rounded(p.tca_el_deg, ANGLE_DECIMALS);
    j["tca_az_deg"] = rounded(p.tca_az_deg, ANGLE_DECIMALS);
    j["tca_range_km"] = rounded(p.tca_range_km, RANGE_DECIMALS);
    j["los_utc"] = iso_tenths(p.los);
    j["los_az_deg"] = rounded(p.los_az_deg, ANGLE_DECIMALS);
    j["duration_s"] = rounded(p.duration_s(), DURATION_DECIMALS);
    j["sunlit_fraction"] = rounded(p.sunlit_fraction, FRACTION_DECIMALS);
    j["marks"] = p.marks;
    j["flags"] = p.flags();
    // Names come from the input: bytes that are not UTF-8 are replaced, not refused.
    return j.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::string table_heading(std::size_t object_width, std::size_t site_width) {
    char text[256];
    std::snprintf(text, sizeof text, TABLE_COLUMNS, "REV", "AOS (UTC)", "AZ", "TCA (UTC)", "EL", "AZ", "RANGE",
                  "LOS (UTC)", "AZ", "DUR", "SUNLIT", "MARKS");
    return padded("OBJECT", object_width) + "  " + padded("SITE", site_width) + text + "  FLAGS";
}

std::string table_row(const Pass& p, std::size_t object_width, std::size_t site_width) {
    char text[256];
    std::snprintf(text, sizeof text, TABLE_COLUMNS, std::to_string(p.rev).c_str(),
                  table_time(p.aos).c_str(), fixed(p.aos_az_deg, ANGLE_DECIMALS).c_str(),
                  table_time(p.tca).c_str(), fixed(p.tca_el_deg, ANGLE_DECIMALS).c_str(),
                  fixed(p.tca_az_deg, ANGLE_DECIMALS).c_str(), fixed(p.tca_range_km, RANGE_DECIMALS).c_str(),
                  table_time(p.los).c_str(), fixed(p.los_az_deg, ANGLE_DECIMALS).c_str(),
                  fixed(p.duration_s(), DURATION_DECIMALS).c_str(), fixed(p.sunlit_fraction, FRACTION_DECIMALS).c_str(),
                  p.marks.c_str());
    std::string row = padded(p.object, object_width) + "  " + padded(p.site, site_width) + text;
    const std::string flags = joined_flags(p);
    if (!flags.empty()) row += "  " + flags;
    while (!row.empty() && row.back() == ' ') row.pop_back();
    return row;
}

PassWriter::PassWriter(OutputFormat format, std::FILE* out, std::string cannot_write, std::size_t object_width,
                       std::size_t site_width)
    : format_(format),
      out_(out),
      cannot_write_(std::move(cannot_write)),
      object_width_(object_width),
      site_width_(site_width) {}

void PassWriter::put(const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), out_) != text.size()) throw OutputError(cannot_write_, errno);
}

void PassWriter::begin() {
    switch (format_) {
    case OutputFormat::Table: put(table_heading(object_width_, site_width_) + "\n"); break;
    case OutputFormat::Csv: put(std::string(CSV_HEADER) + "\r\n"); break;
    case OutputFormat::Json: put("["); break;
    }
}

void PassWriter::write(const Pass& pass) {
    switch (format_) {
    case OutputFormat::Table: put(table_row(pass, object_width_, site_width_) + "\n"); break;
    case OutputFormat::Csv: put(csv_row(pass) + "\r\n"); break;
    case OutputFormat::Json: put((first_ ? "\n" : ",\n") + json_object(pass)); break;
    }
    first_ = false;
}

void PassWriter::end() {
    if (format_ == OutputFormat::Json) put(first_ ? "]\n" : "\n]\n");
    if (std::fflush(out_) != 0) throw OutputError(cannot_write_, errno);
}

}  // namespace talik
