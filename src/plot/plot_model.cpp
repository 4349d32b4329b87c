// plot_data, unix_ms - talik-plot's pictures from the model.
//
// Given:    object   PassObject  the element set, its sites and its scan
//           passes   vector of vector of Pass  passes[i], the passes over
//                                object.sites[i]
//           model_s  int64       a time in model seconds (unix_ms)
// Returned: (value)  PlotData    the ground track at every step of the scan
//                                (sub-satellite point and sunlight from
//                                predict_step, in time order), the sites
//                                with their visibility circles and
//                                pre-filter regions, and the passes with
//                                their tracks in the sky, by time
//           (value)  int64       milliseconds since 1970-01-01 UTC (unix_ms)
//
// Notes:
//  - The visibility circle of a site is where the satellite, at the track's
//    mean height h over the sphere of radius R, stands at elevation e: the
//    central angle acos(R cos e / (R + h)) - e.  The height changes along
//    an eccentric orbit, so the circle is the mean one.
//  - The ground track is thinned as it is computed (plot/thin.hpp): at
//    most TRACK_POINTS_PER_REVOLUTION points a revolution besides the
//    samples either side of a change of style or of the date line, so that
//    memory follows what the map can show, not the window and its step.
//    The scan is run in time order, also when it runs backward.
//  - The track is sampled at the scan's steps and at the first whole
//    second of each pass, after its end, and at the ends of its visible
//    stretch, so that the styles change where the passes say rather than
//    at the next step.
//  - A pass's sky track is sampled at whole seconds, at most SKY_POINTS of
//    them, from its first to its last second in the pass, and at the ends
//    of its visible stretch.
//  - The passes are numbered as talik-passes lists them: by site in the
//    order given, then by time.
#include "plot/plot_model.hpp"

#include <algorithm>
#include <cmath>

#include "numeric/constants.hpp"
#include "time/gregorian.hpp"
#include "time/iso_datim.hpp"
#include "time/model_calendar.hpp"
#include "passes/view.hpp"
#include "predict/look_angles.hpp"
#include "predict/statab.hpp"
#include "predict/step.hpp"
#include "plot/thin.hpp"

namespace talik {

namespace {

constexpr std::int64_t SKY_POINTS = 240;

constexpr std::int64_t MS_PER_SECOND = 1000;

// A time in tenths of a model second (never before 1901), in milliseconds
// of real time.
std::int64_t tenths_to_ms(std::int64_t tenths) {
    return unix_ms(tenths / TENTHS) + tenths % TENTHS * (MS_PER_SECOND / TENTHS);
}

// The time of a scan's last step, model seconds.
std::int64_t scan_last(const Scan& scan) { return scan.start + std::int64_t{scan.count - 1} * scan.step; }

// The first whole second at or after a time in tenths.
std::int64_t second_from(std::int64_t tenths) { return (tenths + TENTHS - 1) / TENTHS; }

// Where the track's style changes, whole model seconds: a pass or its
// visible stretch begins (+1) or ends (-1).
struct Edge {
    std::int64_t t;
    int passes, visible;
};

// The edges of every pass of every site, in time order: a second t is in a
// pass when aos <= 10 t < los, in its visible stretch when visible_first <=
// 10 t < visible_last.
std::vector<Edge> pass_edges(const std::vector<std::vector<Pass>>& passes) {
    std::vector<Edge> edges;
    for (const auto& site_passes : passes) {
        for (const Pass& p : site_passes) {
            edges.push_back({second_from(p.aos), 1, 0});
            edges.push_back({second_from(p.los), -1, 0});
            if (p.visible_s == 0) continue;
            edges.push_back({second_from(p.visible_first), 0, 1});
            edges.push_back({second_from(p.visible_last), 0, -1});
        }
    }
    std::stable_sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.t < b.t; });
    return edges;
}

// The track, thinned as it comes, and the mean height over it (km).
double track(const PassObject& object, const std::vector<std::vector<Pass>>& passes, plot::PlotData& data) {
    std::int32_t nrev = 0;
    RunState state =
        prepare_run(object.elements, station_of(object.sites.front()), model_datim(object.scan.start), nrev);
    state.every_subpoint = true;
    Step step;
    double height = 0.0;
    std::int64_t samples = 0;
    plot::TrackThinner thinner(data.track, plot::TRACK_POINTS_PER_REVOLUTION);
    const std::vector<Edge> edges = pass_edges(passes);
    std::size_t counted = 0;  // edges counted in in_pass and visible
    int in_pass = 0, visible = 0;
    // In time order, whichever way the scan runs.
    const std::int64_t first = std::min(object.scan.start, scan_last(object.scan));
    const std::int64_t stride = std::abs(static_cast<std::int64_t>(object.scan.step));
    std::int64_t last_sampled = first - 1;
    const auto sample = [&](std::int64_t t) {
        last_sampled = t;
        for (; counted < edges.size() && edges[counted].t <= t; ++counted) {
            in_pass += edges[counted].passes;
            visible += edges[counted].visible;
        }
        const DATIM dt = model_datim(t);
        predict_step(state, dt, step);
        if (!step.finite()) return;
        const bool lit = (step.look.above_horizon ? step.LIT : sunlit(state, step, dt)) != 0;
        thinner.add({unix_ms(t), step.GLAT, step.GLON, lit, in_pass > 0, visible > 0},
                    {step.POS[0], step.POS[1], step.POS[2]});
        height += step.HGT;
        ++samples;
    };
    std::size_t offered = 0;  // edges looked at as times to sample
    for (std::int32_t k = 0; k < object.scan.count; ++k) {
        const std::int64_t t = first + k * stride;
        // An edge between two steps is a sample of its own, so that the
        // styles change where the passes say.
        for (; offered < edges.size() && edges[offered].t < t; ++offered) {
            if (edges[offered].t > last_sampled) sample(edges[offered].t);
        }
        sample(t);
    }
    thinner.finish();
    return samples == 0 ? 0.0 : height / static_cast<double>(samples);
}

double circle_radius_deg(double height_km, double elevation_deg) {
    const double e = elevation_deg * DEGRAD_DOUBLE;
    return (std::acos(EARTH_RADIUS * std::cos(e) / (EARTH_RADIUS + std::max(height_km, 0.0))) - e) / DEGRAD_DOUBLE;
}

// The picture's name for the region a pre-filter lets through.
plot::Prefilter region(StationFilter filter) {
    switch (filter) {
    case StationFilter::NearLongitude: return plot::Prefilter::LongitudeBand;
    case StationFilter::North20: return plot::Prefilter::LatitudeAtLeast;
    case StationFilter::South20: return plot::Prefilter::LatitudeAtMost;
    case StationFilter::Always: break;
    }
    return plot::Prefilter::None;
}

plot::SiteView site_view(const Site& site, double height_km) {
    plot::SiteView v;
    v.name = site.name;
    const Station st = station_of(site);
    v.lat_deg = st.STLAT;
    v.lon_deg = st.STLON;
    v.min_elevation_deg = site.kind == SiteKind::Station ? 0.0 : site.min_elevation_deg;
    v.horizon_radius_deg = circle_radius_deg(height_km, 0.0);
    v.min_elev_radius_deg = circle_radius_deg(height_km, v.min_elevation_deg);
    v.prefilter = region(st.filter);
    v.prefilter_value = filter_bound(st.filter);
    return v;
}

// The pass numbered number, with its track in the sky.
plot::PassView pass_view(const Pass& p, int number, View& view) {
    plot::PassView v{number,
                     p.object,
                     p.site,
                     p.rev,
                     tenths_to_ms(p.aos),
                     tenths_to_ms(p.tca),
                     tenths_to_ms(p.los),
                     p.aos_az_deg,
                     p.tca_el_deg,
                     p.tca_az_deg,
                     p.tca_range_km,
                     p.los_az_deg,
                     p.sunlit_fraction,
                     p.marks,
                     p.flags(),
                     p.site_sun_el_deg,
                     p.visible_s,
                     0,
                     0,
                     {}};
    const bool seen = p.visible_s > 0;
    if (seen) {
        v.visible_first_ms = tenths_to_ms(p.visible_first);
        v.visible_last_ms = tenths_to_ms(p.visible_last);
    }
    const std::int64_t first = second_from(p.aos);
    const std::int64_t last = p.los / TENTHS;
    const std::int64_t stride = std::max<std::int64_t>(1, (last - first) / SKY_POINTS);
    std::vector<std::int64_t> times;
    for (std::int64_t t = first; t <= last; t += stride) times.push_back(t);
    if (seen) {
        times.push_back(second_from(p.visible_first));
        times.push_back(second_from(p.visible_last));
        std::sort(times.begin(), times.end());
        times.erase(std::unique(times.begin(), times.end()), times.end());
    }
    for (const std::int64_t t : times) {
        const Sample s = view.at(t);
        if (!s.in) continue;
        const double el = std::asin(std::clamp(s.sin_el, -1.0, 1.0)) / DEGRAD_DOUBLE;
        const bool visible = seen && t * TENTHS >= p.visible_first && t * TENTHS < p.visible_last;
        v.sky.push_back({unix_ms(t), s.az_deg, el, s.lit != 0, visible});
    }
    return v;
}

}  // namespace

std::int64_t unix_ms(std::int64_t model_s) { return unix_seconds_of_model(model_s) * MS_PER_SECOND; }

plot::PlotData plot_data(const PassObject& object, const std::vector<std::vector<Pass>>& passes) {
    plot::PlotData data;
    data.object = object.label;
    std::string sites;
    for (const Site& s : object.sites) sites += (sites.empty() ? "" : ", ") + s.name;
    data.title = object.label + " from " + sites;
    const std::int64_t last = scan_last(object.scan);
    data.start_ms = unix_ms(std::min(object.scan.start, last));
    data.end_ms = unix_ms(std::max(object.scan.start, last));
    const double height = track(object, passes, data);
    // Numbered as talik-passes lists them: by site in the order given, then by time.
    ObjectOrbit orbit(object);
    for (std::size_t i = 0; i < object.sites.size(); ++i) {
        data.sites.push_back(site_view(object.sites[i], height));
        View view(object.sites[i], orbit);
        for (const Pass& p : passes[i]) {
            data.passes.push_back(pass_view(p, static_cast<int>(data.passes.size()) + 1, view));
        }
    }
    return data;
}

}  // namespace talik
