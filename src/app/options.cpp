// add_window_options, add_source_options, window_request, read_objects,
// clock_now, station_option, parse_site, datim_option, window_seconds,
// nonempty - the options the companion programs share, declared once and
// read once.
//
// Given:    the parsed option values (SourceOptions, WindowOptions), the
//           clock (seconds since 1970)
// Returned: the window and sites asked for (WindowRequest), the objects of
//           the sources, single values checked
// Thrown:   InputError naming the option, its value and what it accepts
//
// Notes:
//  - No value is silently replaced: an empty text, a number that is not
//    finite or outside its range, a site or station given twice is refused.
//  - Date-times are real dates from 1901 to 9999, given in UTC, with an
//    offset, or as now; the model's date-time of that instant is what the
//    run uses.
#include "app/options.hpp"

#include <cmath>
#include <ctime>
#include <exception>

#include "format/errors.hpp"
#include "format/text.hpp"
#include "geometry/suncom.hpp"
#include "numeric/constants.hpp"
#include "predict/statab.hpp"
#include "time/check_date.hpp"
#include "time/gregorian.hpp"
#include "time/iso_datim.hpp"

namespace talik {

namespace {

constexpr double METRES_PER_KM = 1000.0;
constexpr std::int32_t STEP_MAX_S = 32767;  // the model's 16-bit step
constexpr double HEIGHT_MIN_M = -1000.0;    // below the deepest land
constexpr double HEIGHT_MAX_M = 100000.0;   // the edge of space
constexpr double ELEVATION_MAX_DEG = 90.0;
constexpr double LATITUDE_MAX_DEG = 90.0;
constexpr std::size_t SITE_FIELDS_BEFORE_NAME = 3;
constexpr std::int64_t SECONDS_PER_MINUTE_INT = 60;
// The longest window: the Sun table's span.
constexpr double WINDOW_MAX_S = (SUN_LAST_DAY - SUN_FIRST_DAY) * SECONDS_PER_DAY;

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

std::string shortest(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", x);
    return text;
}

// Refuses a site or station given twice: its passes would be listed twice.
void refuse_repeated(const std::vector<Site>& sites, const std::string& place) {
    const Site& last = sites.back();
    for (std::size_t i = 0; i + 1 < sites.size(); ++i) {
        const Site& s = sites[i];
        const bool same = s.kind == last.kind &&
                          (s.kind == SiteKind::Station ? s.station == last.station
                                                       : s.lat_deg == last.lat_deg && s.lon_deg == last.lon_deg &&
                                                             s.height_km == last.height_km);
        if (same) throw InputError(place, "the same site is given twice; its passes would be listed twice");
    }
}

SiteKind site_kind(const SourceOptions& o) { return o.sphere ? SiteKind::Sphere : SiteKind::Ellipsoid; }

}  // namespace

std::int64_t clock_now() { return static_cast<std::int64_t>(std::time(nullptr)); }

const std::string& nonempty(const std::string& value, const std::string& option) {
    if (value.empty()) throw InputError(option, "an empty value; give one or leave the option out");
    return value;
}

DATIM datim_option(const std::string& text, const std::string& option, std::int64_t now_unix) {
    const std::string place = option + " " + quote(text);
    std::int64_t unix = now_unix;
    if (text != "now") {
        const std::optional<IsoDatim> dt = parse_iso_datim(text);
        if (!dt) {
            throw InputError(place, "not a date-time: give now, or YYYY-MM-DDTHH:MM:SS in UTC, or with Z or a UTC "
                                    "offset such as +01:00");
        }
        check_real_date(dt->fields, [&](int) { return std::string(place); });
        unix = unix_seconds(dt->fields) - dt->offset_minutes * SECONDS_PER_MINUTE_INT;
    }
    const DATIM utc = utc_datim(unix);
    check_date(utc, [&](int) { return std::string(place); });
    return utc;
}

std::int64_t window_seconds(double amount, double unit_s, const std::string& option) {
    const double limit = WINDOW_MAX_S / unit_s;
    if (!(amount > 0.0 && amount <= limit)) {
        throw InputError(option + " " + shortest(amount),
                         "the window must be longer than 0 and at most " + shortest(limit) + " (the Sun table's span)");
    }
    return std::llround(amount * unit_s);
}

void add_window_options(CLI::App& app, WindowOptions& o, WindowKind kind) {
    const bool run_line = kind == WindowKind::RunLine;
    app.add_option("--start", o.start,
                   std::string("start: now, or YYYY-MM-DDTHH:MM:SS in UTC, or with Z or a UTC offset (default: ") +
                       (run_line ? "the epoch rounded up to a minute)" : "now)"));
    auto* end = app.add_option("--end", o.end, "end of the window, as --start");
    auto* hours = app.add_option("--hours", o.hours, "length of the window, hours");
    auto* days = app.add_option("--days", o.days, "length of the window, days (default 1)");
    end->excludes(hours)->excludes(days);
    hours->excludes(days);
    if (run_line) {
        auto* steps = app.add_option("--steps", o.steps, "number of steps, 1 to 99999 (default: one day)");
        steps->excludes(end)->excludes(hours)->excludes(days);
        app.add_option("--step", o.step, "seconds, 1 to 32767 or -9999 to -1 (default 60)");
    } else {
        app.add_option("--step", o.step, "scan step for element sets, 1 to 32767 seconds (default 20)");
    }
}

WindowRequest window_request(const SourceOptions& o, std::int64_t now_unix) {
    WindowRequest r;
    r.now_unix = now_unix;
    const WindowOptions& w = o.window;
    if (w.start) r.start = datim_option(*w.start, "--start", now_unix);
    if (w.end) {
        r.end = datim_option(*w.end, "--end", now_unix);
        r.span_option = "--end";
    }
    if (w.hours) {
        r.span_s = window_seconds(*w.hours, SECONDS_PER_HOUR, "--hours");
        r.span_option = "--hours";
    }
    if (w.days) {
        r.span_s = window_seconds(*w.days, SECONDS_PER_DAY, "--days");
        r.span_option = "--days";
    }
    if (w.step) {
        if (*w.step < 1 || *w.step > STEP_MAX_S) {
            throw InputError("--step " + std::to_string(*w.step),
                             "the step must be 1 to " + std::to_string(STEP_MAX_S) + " seconds");
        }
        r.step_s = *w.step;
    }
    const double min_elevation = o.min_elevation.value_or(0.0);
    if (!(min_elevation >= 0.0 && min_elevation < ELEVATION_MAX_DEG)) {
        throw InputError("--min-elevation " + shortest(min_elevation),
                         "the minimum elevation must be from 0 to below 90 degrees");
    }
    for (const std::string& s : o.stations) {
        Site site;
        site.kind = SiteKind::Station;
        site.station = station_option(s);
        site.name = station_name(site.station);
        site.min_elevation_deg = min_elevation;
        r.sites.push_back(site);
        refuse_repeated(r.sites, "--station " + quote(s));
    }
    for (const std::string& s : o.sites) {
        r.sites.push_back(parse_site(s, site_kind(o), min_elevation));
        refuse_repeated(r.sites, "--site " + quote(s));
    }
    if (o.select) r.select = nonempty(*o.select, "--select");
    r.strict = o.strict;
    return r;
}

void add_source_options(CLI::App& app, SourceOptions& o) {
    app.add_option("SOURCE", o.sources,
                   "an input deck, a file of element sets (TLE, 3LE, OMM), or - for standard input")
        ->required();
    app.add_option("--station", o.stations, "one of the eight stations, by number or name (repeatable)")
        ->allow_extra_args(false);
    app.add_option("--site", o.sites, "any site: LAT,LON[,HEIGHT_M[,NAME]], degrees north and east (repeatable)")
        ->allow_extra_args(false);
    auto* sphere =
        app.add_flag("--sphere", o.sphere, "place --site sites on the stations' sphere, as talik's stations");
    auto* ellipsoid =
        app.add_flag("--ellipsoid", o.ellipsoid, "place --site sites on WGS-84 at their height (the default)");
    sphere->excludes(ellipsoid);
    add_window_options(app, o.window, WindowKind::Scan);
    app.add_option("--min-elevation", o.min_elevation,
                   "lowest elevation of a pass, degrees, 0 to below 90 (default 0)");
    app.add_option("--select", o.select, "only the element sets of this object (name or catalogue number)");
    app.add_flag("--strict", o.strict, "one bad element set in a catalogue is fatal");
}

std::vector<PassObject> read_objects(const SourceOptions& o, std::int64_t now_unix, std::FILE* in, std::FILE* err,
                                     const char* program) {
    return read_objects(o.sources, window_request(o, now_unix), in, [&](const std::string& note) {
        std::fprintf(err, "%s: %s\n", program, printable(note).c_str());
    });
}

int station_option(const std::string& text) {
    const int station = STATAB::find(text);
    if (station == 0) throw InputError("--station " + quote(text), "not a station: 1 to 8 or a name");
    return station;
}

Site parse_site(const std::string& text, SiteKind kind, double min_elevation_deg) {
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
    s.kind = kind;
    s.lat_deg = number(fields[0], place, "latitude");
    s.lon_deg = number(fields[1], place, "longitude");
    if (std::fabs(s.lat_deg) > LATITUDE_MAX_DEG) {
        throw InputError(place, "latitude " + fields[0] + " is outside -90 to 90");
    }
    const double height_m = fields.size() > 2 && !fields[2].empty() ? number(fields[2], place, "height") : 0.0;
    if (height_m < HEIGHT_MIN_M || height_m > HEIGHT_MAX_M) {
        throw InputError(place, "height " + fields[2] + " m is outside -1000 to 100000");
    }
    s.height_km = height_m / METRES_PER_KM;
    s.min_elevation_deg = min_elevation_deg;
    const std::string name = fields.size() > 3 && !fields[3].empty() ? fields[3] : fields[0] + "," + fields[1];
    if (name.size() > NAME_BYTES_MAX) {
        throw InputError(
            place, "a name of " + std::to_string(name.size()) + " bytes; at most " + std::to_string(NAME_BYTES_MAX));
    }
    s.name = clean_name(name);
    return s;
}

}  // namespace talik
