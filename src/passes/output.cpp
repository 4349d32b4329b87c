// Pass::flags, csv_field, csv_name_field, csv_row, json_object,
// table_heading, table_row, PassWriter::PassWriter, PassWriter::begin,
// PassWriter::write, PassWriter::end - the output formats of talik-passes:
// the table, CSV and JSON of passes and of their tracks, and the calendar
// file (its events in calendar_file.cpp).
//
// Given:    pass          Pass           a pass found by find_passes
//           text          string         a field's text (csv_field,
//                                        csv_name_field)
//           number        size_t         the pass's number in the list: 1,
//                                        2, ... in the order listed
//           object_width  size_t         width of the table's object column
//           site_width    size_t         width of the table's site column
//           zone          TimeZone       the zone of the table's times
//           options       OutputOptions  the format, the zone, the track's
//                                        spacing and frequency, the
//                                        calendar's stamp (PassWriter)
//           out           FILE*          where PassWriter writes
//           cannot_write  string         the message of a failed write
//           track         vector of TrackPoint
//                                        the pass's rows, when the options
//                                        ask for a track (write)
// Returned: (value)       string         the field, quoted when it holds a
//                                        comma, a quote or a line end, each
//                                        quote doubled (csv_field); a name
//                                        field (csv_name_field), see the
//                                        notes; one CSV data row or one JSON
//                                        object on one line, without a line
//                                        end; the table's heading or a row
//           (value)       vector of string
//                                        the flags set, in Pass's order
//                                        (flags)
//           out           FILE*          begin, write and end: the passes,
//                                        or their tracks, one by one in one
//                                        format, flushed at the end
// Thrown:   OutputError                  a failed write or flush:
//                                        cannot_write and the system's
//                                        reason (PassWriter)
//
// Notes:
//  - A name field (an object's, a site's) starting with =, +, -, @, TAB or
//    CR, which a spreadsheet could run as a formula, gets an apostrophe
//    before it, unless it holds only digits, points, signs and commas (a
//    site's coordinates); then it is written as csv_field writes it.
//  - Azimuths and elevations have two decimals, ranges one, durations one
//    (the times' own resolution), the sunlit fraction two, range rates
//    four (0.1 m/s), Doppler shifts one (Hz).
//  - JSON numbers are the same rounded values, so CSV and JSON agree.
//  - CSV and JSON times are UTC; the table's are in the zone asked for,
//    with its offset when it is not UTC.
#include "passes/output.hpp"

#include <cerrno>
#include <cmath>
#include <nlohmann/json.hpp>

#include "format/errors.hpp"
#include "passes/calendar_file.hpp"
#include "time/gregorian.hpp"
#include "time/iso_datim.hpp"
#include "time/model_calendar.hpp"

namespace talik {

const char* const CSV_HEADER =
    "object,site,rev,aos_utc,aos_az_deg,tca_utc,tca_el_deg,tca_az_deg,tca_range_km,los_utc,los_az_deg,duration_s,"
    "sunlit_fraction,marks,flags,catalog_number,name,site_sun_el_deg,visible_s,visible_first_utc,visible_last_utc";

namespace {

// Decimals of each kind of number.
constexpr int ANGLE_DECIMALS = 2;
constexpr int RANGE_DECIMALS = 1;
constexpr int DURATION_DECIMALS = 1;
constexpr int FRACTION_DECIMALS = 2;
constexpr int RANGE_RATE_DECIMALS = 4;
constexpr int DOPPLER_DECIMALS = 1;
constexpr int HEIGHT_DECIMALS = 2;
constexpr int SUN_DECIMALS = 1;  // the table's Sun elevation, which only says how dark the sky is
constexpr std::int64_t SECONDS_PER_MINUTE_INT = 60;

constexpr const char* TRACK_CSV_HEADER =
    "pass,object,site,rev,utc,az_deg,el_deg,range_km,range_rate_km_s,lat_deg,lon_deg,height_km,sunlit";

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

// "2021-10-17 15:03:12.3" in UTC, or "2021-10-17 17:03:12.3 +02:00" in
// another zone.
std::string table_time(std::int64_t model_tenths, const TimeZone& zone) {
    const std::int64_t seconds = model_tenths / TENTHS;
    const std::int64_t unix_s = unix_seconds_of_model(seconds);
    const std::int64_t offset = zone.offset_s(unix_s);
    const DATIM d = utc_datim(unix_s + offset);
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%d", d[YEAR], d[MONTH], d[DAY], d[HOUR], d[MINUTE],
                  d[SECOND], static_cast<int>(model_tenths % TENTHS));
    std::string shown = text;
    if (zone.name() != TimeZone().name()) {
        const std::int64_t minutes = std::llabs(offset) / SECONDS_PER_MINUTE_INT;
        std::snprintf(text, sizeof text, " %c%02lld:%02lld", offset < 0 ? '-' : '+',
                      static_cast<long long>(minutes / 60), static_cast<long long>(minutes % 60));
        shown += text;
    }
    return shown;
}

std::string padded(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string right(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string visible_time(const Pass& p, std::int64_t tenths) { return p.visible_s > 0 ? iso_tenths(tenths) : ""; }

// The table's columns after the object and the site: heading, width, and
// whether the text is set to the left.
struct Column {
    std::string heading;
    std::size_t width;
    bool left;
};

std::vector<Column> table_columns(const TimeZone& zone) {
    const std::size_t time_width = table_time(0, zone).size();
    const std::string suffix = " (" + zone.name() + ")";
    return {{"REV", 7, false},    {"AOS" + suffix, time_width, true},
            {"AZ", 6, false},     {"TCA" + suffix, time_width, true},
            {"EL", 5, false},     {"AZ", 6, false},
            {"RANGE", 10, false}, {"LOS" + suffix, time_width, true},
            {"AZ", 6, false},     {"DUR", 8, false},
            {"SUNLIT", 6, false}, {"SUN", 6, false},
            {"VIS", 5, false},    {"MARKS", 5, true}};
}

std::string table_line(const std::string& number, const std::string& object, const std::string& site,
                       const std::vector<std::string>& cells, const TimeZone& zone, std::size_t object_width,
                       std::size_t site_width) {
    const std::vector<Column> columns = table_columns(zone);
    std::string line = right(number, 4) + "  " + padded(object, object_width) + "  " + padded(site, site_width);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        line += "  " + (columns[i].left ? padded(cells[i], columns[i].width) : right(cells[i], columns[i].width));
    }
    return line;
}

std::string track_csv_row(std::size_t number, const Pass& p, const TrackPoint& t, const OutputOptions& o) {
    std::string row = std::to_string(number) + "," + csv_name_field(p.object) + "," + csv_name_field(p.site) + "," +
                      std::to_string(p.rev) + "," + iso_tenths(t.t * TENTHS) + "," + fixed(t.az_deg, ANGLE_DECIMALS) +
                      "," + fixed(t.el_deg, ANGLE_DECIMALS) + "," + fixed(t.range_km, RANGE_DECIMALS) + "," +
                      fixed(t.range_rate_km_s, RANGE_RATE_DECIMALS) + "," + fixed(t.lat_deg, ANGLE_DECIMALS) + "," +
                      fixed(t.lon_deg, ANGLE_DECIMALS) + "," + fixed(t.height_km, HEIGHT_DECIMALS) + "," +
                      (t.sunlit ? "1" : "0");
    if (o.frequency_mhz) row += "," + fixed(doppler_hz(*o.frequency_mhz, t.range_rate_km_s), DOPPLER_DECIMALS);
    return row;
}

std::string track_json(std::size_t number, const Pass& p, const TrackPoint& t, const OutputOptions& o) {
    nlohmann::ordered_json j;
    j["pass"] = number;
    j["object"] = p.object;
    j["site"] = p.site;
    j["rev"] = p.rev;
    j["utc"] = iso_tenths(t.t * TENTHS);
    j["az_deg"] = rounded(t.az_deg, ANGLE_DECIMALS);
    j["el_deg"] = rounded(t.el_deg, ANGLE_DECIMALS);
    j["range_km"] = rounded(t.range_km, RANGE_DECIMALS);
    j["range_rate_km_s"] = rounded(t.range_rate_km_s, RANGE_RATE_DECIMALS);
    j["lat_deg"] = rounded(t.lat_deg, ANGLE_DECIMALS);
    j["lon_deg"] = rounded(t.lon_deg, ANGLE_DECIMALS);
    j["height_km"] = rounded(t.height_km, HEIGHT_DECIMALS);
    j["sunlit"] = t.sunlit;
    if (o.frequency_mhz) j["doppler_hz"] = rounded(doppler_hz(*o.frequency_mhz, t.range_rate_km_s), DOPPLER_DECIMALS);
    return j.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::string track_table_row(const TrackPoint& t, const OutputOptions& o) {
    char text[200];
    std::snprintf(text, sizeof text, "  %s  %7s  %6s  %9s  %8s  %7s  %7s  %8s  %s",
                  table_time(t.t * TENTHS, o.zone).c_str(), fixed(t.az_deg, ANGLE_DECIMALS).c_str(),
                  fixed(t.el_deg, ANGLE_DECIMALS).c_str(), fixed(t.range_km, RANGE_DECIMALS).c_str(),
                  fixed(t.range_rate_km_s, RANGE_RATE_DECIMALS).c_str(), fixed(t.lat_deg, ANGLE_DECIMALS).c_str(),
                  fixed(t.lon_deg, ANGLE_DECIMALS).c_str(), fixed(t.height_km, HEIGHT_DECIMALS).c_str(),
                  t.sunlit ? "D" : "N");
    std::string row = text;
    if (o.frequency_mhz)
        row += "  " + right(fixed(doppler_hz(*o.frequency_mhz, t.range_rate_km_s), DOPPLER_DECIMALS), 10);
    return row;
}

std::string track_table_heading(const OutputOptions& o) {
    const std::string time = "TIME (" + o.zone.name() + ")";
    char text[200];
    std::snprintf(text, sizeof text, "  %-*s  %7s  %6s  %9s  %8s  %7s  %7s  %8s  %s",
                  static_cast<int>(table_time(0, o.zone).size()), time.c_str(), "AZ", "EL", "RANGE", "RATE", "LAT",
                  "LON", "HEIGHT", "SUNLIT");
    std::string heading = text;
    if (o.frequency_mhz) heading += "  " + right("DOPPLER", 10);
    return heading;
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

std::string csv_name_field(const std::string& text) {
    const bool formula = !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
    const bool coordinates = text.find_first_not_of("0123456789.,+-") == std::string::npos;
    return csv_field(formula && !coordinates ? "'" + text : text);
}

std::string csv_row(const Pass& p) {
    return csv_name_field(p.object) + "," + csv_name_field(p.site) + "," + std::to_string(p.rev) + "," +
           iso_tenths(p.aos) + "," + fixed(p.aos_az_deg, ANGLE_DECIMALS) + "," + iso_tenths(p.tca) + "," +
           fixed(p.tca_el_deg, ANGLE_DECIMALS) + "," + fixed(p.tca_az_deg, ANGLE_DECIMALS) + "," +
           fixed(p.tca_range_km, RANGE_DECIMALS) + "," + iso_tenths(p.los) + "," + fixed(p.los_az_deg, ANGLE_DECIMALS) +
           "," + fixed(p.duration_s(), DURATION_DECIMALS) + "," + fixed(p.sunlit_fraction, FRACTION_DECIMALS) + "," +
           csv_field(p.marks) + "," + csv_field(joined_flags(p)) + "," +
           (p.catalog_number ? std::to_string(*p.catalog_number) : "") + "," + csv_name_field(p.name) + "," +
           fixed(p.site_sun_el_deg, ANGLE_DECIMALS) + "," + std::to_string(p.visible_s) + "," +
           visible_time(p, p.visible_first) + "," + visible_time(p, p.visible_last);
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
    j["catalog_number"] = p.catalog_number ? nlohmann::ordered_json(*p.catalog_number) : nullptr;
    j["name"] = p.name;
    j["site_sun_el_deg"] = rounded(p.site_sun_el_deg, ANGLE_DECIMALS);
    j["visible_s"] = p.visible_s;
    j["visible_first_utc"] = p.visible_s > 0 ? nlohmann::ordered_json(iso_tenths(p.visible_first)) : nullptr;
    j["visible_last_utc"] = p.visible_s > 0 ? nlohmann::ordered_json(iso_tenths(p.visible_last)) : nullptr;
    // Names come from the input: bytes that are not UTF-8 are replaced, not refused.
    return j.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::string table_heading(std::size_t object_width, std::size_t site_width, const TimeZone& zone) {
    std::vector<std::string> cells;
    for (const Column& c : table_columns(zone)) cells.push_back(c.heading);
    return table_line("#", "OBJECT", "SITE", cells, zone, object_width, site_width) + "  FLAGS";
}

std::string table_row(std::size_t number, const Pass& p, std::size_t object_width, std::size_t site_width,
                      const TimeZone& zone) {
    const std::vector<std::string> cells = {std::to_string(p.rev),
                                            table_time(p.aos, zone),
                                            fixed(p.aos_az_deg, ANGLE_DECIMALS),
                                            table_time(p.tca, zone),
                                            fixed(p.tca_el_deg, ANGLE_DECIMALS),
                                            fixed(p.tca_az_deg, ANGLE_DECIMALS),
                                            fixed(p.tca_range_km, RANGE_DECIMALS),
                                            table_time(p.los, zone),
                                            fixed(p.los_az_deg, ANGLE_DECIMALS),
                                            fixed(p.duration_s(), DURATION_DECIMALS),
                                            fixed(p.sunlit_fraction, FRACTION_DECIMALS),
                                            fixed(p.site_sun_el_deg, SUN_DECIMALS),
                                            std::to_string(p.visible_s),
                                            p.marks};
    std::string row = table_line(std::to_string(number), p.object, p.site, cells, zone, object_width, site_width);
    const std::string flags = joined_flags(p);
    if (!flags.empty()) row += "  " + flags;
    while (!row.empty() && row.back() == ' ') row.pop_back();
    return row;
}

PassWriter::PassWriter(const OutputOptions& options, std::FILE* out, std::string cannot_write, std::size_t object_width,
                       std::size_t site_width)
    : options_(options),
      out_(out),
      cannot_write_(std::move(cannot_write)),
      object_width_(object_width),
      site_width_(site_width) {}

void PassWriter::put(const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), out_) != text.size()) throw OutputError(cannot_write_, errno);
}

void PassWriter::begin() {
    const bool track = options_.track_s.has_value();
    switch (options_.format) {
    case OutputFormat::Table:
        if (!track) put(table_heading(object_width_, site_width_, options_.zone) + "\n");
        break;
    case OutputFormat::Csv:
        put(std::string(track ? TRACK_CSV_HEADER : CSV_HEADER) +
            (track && options_.frequency_mhz ? ",doppler_hz" : "") + "\r\n");
        break;
    case OutputFormat::Json: put("["); break;
    case OutputFormat::Ics: put(calendar_begin()); break;
    }
}

void PassWriter::write_track(std::size_t number, const Pass& pass, const std::vector<TrackPoint>& track) {
    switch (options_.format) {
    case OutputFormat::Table:
        put((first_ ? "" : "\n") + std::string("#") + std::to_string(number) + "  " + pass.object + " over " +
            pass.site + ", rev " + std::to_string(pass.rev) + "\n" + track_table_heading(options_) + "\n");
        for (const TrackPoint& t : track) put(track_table_row(t, options_) + "\n");
        break;
    case OutputFormat::Csv:
        for (const TrackPoint& t : track) put(track_csv_row(number, pass, t, options_) + "\r\n");
        break;
    case OutputFormat::Json:
        for (const TrackPoint& t : track) {
            put((first_ ? "\n" : ",\n") + track_json(number, pass, t, options_));
            first_ = false;
        }
        break;
    case OutputFormat::Ics: break;
    }
    first_ = false;
}

void PassWriter::write(std::size_t number, const Pass& pass, const std::vector<TrackPoint>& track) {
    if (options_.track_s && options_.format != OutputFormat::Ics) {
        write_track(number, pass, track);
        return;
    }
    switch (options_.format) {
    case OutputFormat::Table: put(table_row(number, pass, object_width_, site_width_, options_.zone) + "\n"); break;
    case OutputFormat::Csv: put(csv_row(pass) + "\r\n"); break;
    case OutputFormat::Json: put((first_ ? "\n" : ",\n") + json_object(pass)); break;
    case OutputFormat::Ics: put(calendar_event(pass, options_.stamp_unix)); break;
    }
    first_ = false;
}

void PassWriter::end() {
    if (options_.format == OutputFormat::Json) put(first_ ? "]\n" : "\n]\n");
    if (options_.format == OutputFormat::Ics) put(calendar_end());
    if (std::fflush(out_) != 0) throw OutputError(cannot_write_, errno);
}

}  // namespace talik
