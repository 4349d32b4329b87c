// The options the companion programs share: declared once, read once.
#include "app/options.hpp"

#include <cmath>

#include "format/errors.hpp"
#include "format/text.hpp"
#include "numeric/constants.hpp"
#include "predict/statab.hpp"
#include "time/check_date.hpp"
#include "time/iso_datim.hpp"

namespace talik {

namespace {

constexpr double METRES_PER_KM = 1000.0;
constexpr std::int32_t STEP_MAX_S = 32767;  // the model's 16-bit step
constexpr double HEIGHT_MIN_M = -1000.0;    // below the deepest land
constexpr double HEIGHT_MAX_M = 100000.0;   // the edge of space
constexpr double ELEVATION_MAX_DEG = 90.0;
constexpr std::size_t SITE_FIELDS_BEFORE_NAME = 3;

double number(const std::string& field, const std::string& place, const char* what) {
    std::size_t used = 0;
    double v = 0.0;
    try {
        v = std::stod(field, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != field.size() || !std::isfinite(v)) {
        throw InputError(place, std::string(what) + " " + quote(field) + " is not a number");
    }
    return v;
}

}  // namespace

DATIM datim_option(const std::string& text, const std::string& option) {
    const std::string place = option + " " + quote(text);
    const auto dt = parse_iso_datim(text);
    if (!dt) throw InputError(place, "not a date-time (YYYY-MM-DDTHH:MM:SS)");
    check_date(*dt, [&](int) { return place; });
    return *dt;
}

void add_window_options(CLI::App& app, WindowOptions& o, WindowKind kind) {
    const bool run_line = kind == WindowKind::RunLine;
    app.add_option("--start", o.start,
                   run_line ? "UTC start YYYY-MM-DDTHH:MM:SS (default: the epoch rounded up to a minute)"
                            : "start of the window, YYYY-MM-DDTHH:MM:SS (UTC)");
    auto* end = app.add_option("--end", o.end, "end of the window, YYYY-MM-DDTHH:MM:SS (UTC)");
    auto* hours = app.add_option("--hours", o.hours, "length of the window, hours");
    auto* days = app.add_option("--days", o.days, "length of the window, days");
    end->excludes(hours)->excludes(days);
    hours->excludes(days);
    if (run_line) {
        auto* steps = app.add_option("--steps", o.steps, "number of steps (default: one day)");
        steps->excludes(end)->excludes(hours)->excludes(days);
        app.add_option("--step", o.step, "seconds, 1 to 32767 or -9999 to -1 (default 60)");
    } else {
        app.add_option("--step", o.step, "scan step for element sets, seconds (default 20)");
    }
}

WindowRequest window_request(const SourceOptions& o) {
    WindowRequest r;
    const WindowOptions& w = o.window;
    if (w.start) r.start = datim_option(*w.start, "--start");
    if (w.end) {
        r.end = datim_option(*w.end, "--end");
        r.span_option = "--end";
    }
    const auto span = [&](double amount, double unit, const char* option) {
        if (!(amount > 0.0)) throw InputError(option, "the window must be longer than 0");
        r.span_s = std::llround(std::fmin(amount * unit, 1.0e12));
        r.span_option = option;
    };
    if (w.hours) span(*w.hours, SECONDS_PER_HOUR, "--hours");
    if (w.days) span(*w.days, SECONDS_PER_DAY, "--days");
    if (w.step) {
        if (*w.step < 1 || *w.step > STEP_MAX_S) {
            throw InputError("--step", std::to_string(*w.step) + " is outside 1 to " + std::to_string(STEP_MAX_S));
        }
        r.step_s = *w.step;
    }
    if (o.min_elevation < 0.0 || o.min_elevation >= ELEVATION_MAX_DEG) {
        throw InputError("--min-elevation", "the minimum elevation must be from 0 to below 90 degrees");
    }
    for (const std::string& s : o.stations) {
        Site site;
        site.kind = SiteKind::Station;
        site.station = station_option(s);
        site.name = station_name(site.station);
        r.sites.push_back(site);
    }
    for (const std::string& s : o.sites) r.sites.push_back(parse_site(s, o.ellipsoid, o.min_elevation));
    if (o.select) r.select = *o.select;
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
    add_window_options(app, o.window, WindowKind::Scan);
    app.add_option("--min-elevation", o.min_elevation, "minimum elevation of a --site pass, degrees (default 0)");
    app.add_option("--select", o.select, "only the element sets of this object (name or catalogue number)");
    app.add_flag("--strict", o.strict, "one bad element set in a catalogue is fatal");
}

std::vector<PassObject> read_objects(const SourceOptions& o, std::FILE* in, std::FILE* err, const char* program) {
    return read_objects(o.sources, window_request(o), in,
                        [&](const std::string& note) { std::fprintf(err, "%s: %s\n", program, note.c_str()); });
}

int station_option(const std::string& text) {
    const int station = STATAB::find(text);
    if (station == 0) throw InputError("--station " + quote(text), "not a station: 1 to 8 or a name");
    return station;
}

Site parse_site(const std::string& text, bool ellipsoid, double min_elevation_deg) {
    const std::string place = "--site " + quote(text);
    std::vector<std::string> fields;
    std::size_t from = 0;
    while (fields.size() < SITE_FIELDS_BEFORE_NAME) {
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
    if (s.lat_deg < -90.0 || s.lat_deg > 90.0) {
        throw InputError(place, "latitude " + fields[0] + " is outside -90 to 90");
    }
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
