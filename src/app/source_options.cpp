// source_options.cpp - the options talik-passes and talik-plot share, and
// reading their sources.
#include "app/source_options.hpp"

#include <cerrno>
#include <cmath>
#include <cstring>

#include "format/errors.hpp"
#include "numeric/constants.hpp"
#include "predict/statab.hpp"
#include "time/check_date.hpp"
#include "time/iso_datim.hpp"

namespace talik {

namespace {

constexpr double METRES_PER_KM = 1000.0;
constexpr std::int32_t STEP_MAX_S = 32767;          // the model's 16-bit step
constexpr double HEIGHT_MIN_M = -1000.0;            // below the deepest land
constexpr double HEIGHT_MAX_M = 100000.0;           // the edge of space
constexpr std::size_t SOURCE_BYTES_MAX = std::size_t{64} * 1024 * 1024;

double number(const std::string& field, const std::string& place, const char* what) {
    std::size_t used = 0;
    double v = 0.0;
    try {
        v = std::stod(field, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != field.size() || !std::isfinite(v)) {
        throw InputError(place, std::string(what) + " " + quoted(field) + " is not a number");
    }
    return v;
}

// Reads a whole source: a file, or standard input for "-".
std::string read_text(const std::string& name, std::FILE* in) {
    std::FILE* f = name == "-" ? in : std::fopen(name.c_str(), "rb");
    if (f == nullptr) throw InputError(name, std::string("cannot read: ") + std::strerror(errno));
    std::string text;
    char buf[65536];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0 && text.size() <= SOURCE_BYTES_MAX) text.append(buf, n);
    const bool failed = std::ferror(f) != 0;
    const int error = errno;
    if (f != in) std::fclose(f);
    const std::string shown = name == "-" ? "standard input" : name;
    if (failed) throw InputError(shown, std::string("cannot read: ") + std::strerror(error));
    if (text.size() > SOURCE_BYTES_MAX) throw InputError(shown, "cannot read: larger than 64 MiB");
    return text;
}

}  // namespace

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// A date-time option: ISO text of a supported date-time.
DATIM checked_datim(const std::string& text, const std::string& option) {
    const std::string place = option + " " + quoted(text);
    const auto dt = parse_iso_datim(text);
    if (!dt) throw InputError(place, "not a date-time (YYYY-MM-DDTHH:MM:SS)");
    check_date(*dt, [&](int) { return std::string(place); });
    return *dt;
}

WindowRequest window_request(const SourceOptions& o) {
    WindowRequest r;
    if (!o.start.empty()) r.start = checked_datim(o.start, "--start");
    if (!o.end.empty()) {
        r.end = checked_datim(o.end, "--end");
        r.span_option = "--end";
    }
    const auto span = [&](double amount, double unit, const char* option) {
        if (!(amount > 0.0)) throw InputError(option, "the window must be longer than 0");
        r.span_s = std::llround(std::fmin(amount * unit, 1.0e12));
        r.span_option = option;
    };
    if (o.hours != 0.0) span(o.hours, SECONDS_PER_HOUR, "--hours");
    if (o.days != 0.0) span(o.days, SECONDS_PER_DAY, "--days");
    if (o.step != 0) {
        if (o.step < 1 || o.step > STEP_MAX_S) {
            throw InputError("--step", std::to_string(o.step) + " is outside 1 to " + std::to_string(STEP_MAX_S));
        }
        r.step_s = o.step;
    }
    if (o.min_elevation < 0.0 || o.min_elevation >= 90.0) {
        throw InputError("--min-elevation", "the minimum elevation must be from 0 to below 90 degrees");
    }
    for (const std::string& s : o.stations) r.sites.push_back(parse_station(s));
    for (const std::string& s : o.sites) r.sites.push_back(parse_site(s, o.ellipsoid, o.min_elevation));
    if (!o.select.empty()) r.select = o.select;
    r.strict = o.strict;
    return r;
}

void add_source_options(CLI::App& app, SourceOptions& o) {
    app.add_option("SOURCE", o.sources, "an input deck, a file of element sets (TLE, 3LE, OMM), or - for standard input")
        ->required();
    app.add_option("--station", o.stations, "one of the eight stations, by number or name (repeatable)")
        ->allow_extra_args(false);
    app.add_option("--site", o.sites, "any site: LAT,LON[,HEIGHT_M[,NAME]], degrees north and east (repeatable)")
        ->allow_extra_args(false);
    app.add_flag("--ellipsoid", o.ellipsoid, "place --site sites on WGS-84 at their height");
    app.add_option("--start", o.start, "start of the window, YYYY-MM-DDTHH:MM:SS (UTC)");
    auto* end = app.add_option("--end", o.end, "end of the window, YYYY-MM-DDTHH:MM:SS (UTC)");
    auto* hours = app.add_option("--hours", o.hours, "length of the window, hours");
    auto* days = app.add_option("--days", o.days, "length of the window, days");
    end->excludes(hours)->excludes(days);
    hours->excludes(days);
    app.add_option("--step", o.step, "scan step for element sets, seconds (default 20)");
    app.add_option("--min-elevation", o.min_elevation, "minimum elevation of a --site pass, degrees (default 0)");
    app.add_option("--select", o.select, "only the element sets of this object (name or catalogue number)");
    app.add_flag("--strict", o.strict, "one bad element set in a catalogue is fatal");
}

std::vector<PassObject> read_objects(const SourceOptions& o, std::FILE* in, std::FILE* err, const char* program) {
    const WindowRequest request = window_request(o);
    std::vector<PassObject> objects;
    std::vector<std::string> problems;
    for (const std::string& source : o.sources) {
        read_source(source, read_text(source, in), request, objects, problems);
        for (const std::string& p : problems) std::fprintf(err, "%s: %s\n", program, p.c_str());
        problems.clear();
    }
    if (request.select && objects.empty()) {
        throw InputError("--select " + quoted(*request.select), "no element set of the sources matches");
    }
    return objects;
}

Site parse_station(const std::string& text) {
    Site s;
    s.kind = SiteKind::Station;
    s.station = STATAB::find(text);
    if (s.station == 0) throw InputError("--station " + quoted(text), "not a station: 1 to 8 or a name");
    const std::string_view padded = STATAB::STNAME(s.station);
    s.name = std::string(padded.substr(0, padded.find_last_not_of(' ') + 1));
    return s;
}

Site parse_site(const std::string& text, bool ellipsoid, double min_elevation_deg) {
    const std::string place = "--site " + quoted(text);
    std::vector<std::string> fields;
    std::size_t from = 0;
    while (fields.size() < 3) {
        const std::size_t comma = text.find(',', from);
        if (comma == std::string::npos) break;
        fields.push_back(text.substr(from, comma - from));
        from = comma + 1;
    }
    fields.push_back(text.substr(from));
    if (fields.size() < 2) throw InputError(place, "give LAT,LON[,HEIGHT_M[,NAME]]");
    Site s;
    s.kind = ellipsoid ? SiteKind::Ellipsoid : SiteKind::Sphere;
    s.lat_deg = number(fields[0], place, "latitude");
    s.lon_deg = number(fields[1], place, "longitude");
    if (s.lat_deg < -90.0 || s.lat_deg > 90.0) throw InputError(place, "latitude " + fields[0] + " is outside -90 to 90");
    const double height_m = fields.size() > 2 && !fields[2].empty() ? number(fields[2], place, "height") : 0.0;
    if (height_m < HEIGHT_MIN_M || height_m > HEIGHT_MAX_M) {
        throw InputError(place, "height " + fields[2] + " m is outside -1000 to 100000");
    }
    s.height_km = height_m / METRES_PER_KM;
    s.min_elevation_deg = min_elevation_deg;
    s.name = fields.size() > 3 && !fields[3].empty() ? fields[3] : fields[0] + "," + fields[1];
    return s;
}

}  // namespace talik
