// plot_data - talik-plot's pictures from the model.
//
// Notes:
//  - The visibility circle of a site is where the satellite, at the track's
//    mean height h over the sphere of radius R, stands at elevation e: the
//    central angle acos(R cos e / (R + h)) - e.  The height changes along
//    an eccentric orbit, so the circle is the mean one.
//  - A pass's sky track is sampled at whole seconds, at most SKY_POINTS of
//    them, from its first to its last second in the pass.
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

namespace talik {

namespace {

constexpr std::int64_t SKY_POINTS = 240;

constexpr std::int64_t MS_PER_SECOND = 1000;

// A time in tenths of a model second (never before 1901), in milliseconds
// of real time.
std::int64_t tenths_to_ms(std::int64_t tenths) {
    return unix_ms(tenths / TENTHS) + tenths % TENTHS * (MS_PER_SECOND / TENTHS);
}

// The track, and the mean height over it (km).
double track(const PassObject& object, const std::vector<std::vector<Pass>>& passes, plot::PlotData& data) {
    std::int32_t nrev = 0;
    RunState state = prepare_run(object.elements, station_of(object.sites.front()), model_datim(object.scan.start), nrev);
    state.every_subpoint = true;
    Step step;
    double height = 0.0;
    for (std::int32_t k = 0; k < object.scan.count; ++k) {
        const std::int64_t t = object.scan.start + static_cast<std::int64_t>(k) * object.scan.step;
        const DATIM dt = model_datim(t);
        predict_step(state, dt, step);
        if (!step.finite()) continue;
        const bool lit = (step.look.above_horizon ? step.LIT : sunlit(state, step, dt)) != 0;
        bool in_pass = false;
        for (const auto& site_passes : passes) {
            for (const Pass& p : site_passes) in_pass = in_pass || (t * TENTHS >= p.aos && t * TENTHS <= p.los);
        }
        data.track.push_back({unix_ms(t), step.GLAT, step.GLON, lit, in_pass});
        height += step.HGT;
    }
    if (object.scan.step < 0) std::reverse(data.track.begin(), data.track.end());
    return data.track.empty() ? 0.0 : height / static_cast<double>(data.track.size());
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

plot::PassView pass_view(const Pass& p, View& view) {
    plot::PassView v{p.object, p.site, p.rev, tenths_to_ms(p.aos), tenths_to_ms(p.tca), tenths_to_ms(p.los),
                     p.aos_az_deg, p.tca_el_deg, p.tca_az_deg, p.tca_range_km, p.los_az_deg, p.sunlit_fraction,
                     p.marks, p.flags(), {}};
    const std::int64_t first = (p.aos + TENTHS - 1) / TENTHS;
    const std::int64_t last = p.los / TENTHS;
    const std::int64_t stride = std::max<std::int64_t>(1, (last - first) / SKY_POINTS);
    for (std::int64_t t = first; t <= last; t += stride) {
        const Sample s = view.at(t);
        if (!s.in) continue;
        const double el = std::asin(std::clamp(s.sin_el, -1.0, 1.0)) / DEGRAD_DOUBLE;
        v.sky.push_back({unix_ms(t), s.az_deg, el, s.lit != 0});
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
    const std::int64_t last = object.scan.start + static_cast<std::int64_t>(object.scan.count - 1) * object.scan.step;
    data.start_ms = unix_ms(std::min(object.scan.start, last));
    data.end_ms = unix_ms(std::max(object.scan.start, last));
    const double height = track(object, passes, data);
    ObjectOrbit orbit(object);
    for (std::size_t i = 0; i < object.sites.size(); ++i) {
        data.sites.push_back(site_view(object.sites[i], height));
        View view(object.sites[i], orbit);
        for (const Pass& p : passes[i]) data.passes.push_back(pass_view(p, view));
    }
    std::stable_sort(data.passes.begin(), data.passes.end(),
                     [](const plot::PassView& a, const plot::PassView& b) { return a.aos_ms < b.aos_ms; });
    return data;
}

}  // namespace talik
