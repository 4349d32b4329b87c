// view.hpp - one object seen from one site at whole seconds of the model's
// time: the samples a pass finder scans and refines.
#pragma once

#include <cstdint>
#include <string>

#include "geometry/ellipsoid.hpp"
#include "passes/object_orbit.hpp"
#include "passes/pass.hpp"
#include "predict/step.hpp"
#include "time/iso_datim.hpp"
#include "time/model_calendar.hpp"

namespace talik {

struct Sample {
    std::int64_t t = 0;          // model seconds
    double sin_el = -1.0;        // sine of the elevation, whatever the pre-filter says
    double el_deg = -90.0;       // the elevation as a station's report prints it (asin for a site)
    bool filter_ok = true;       // the station's pre-filter lets the step through
    double filter_margin = 1.0;  // how far inside the pre-filter (degrees); negative outside
    bool in = false;             // in a pass: pre-filter and elevation agree
    double az_deg = 0.0;         // azimuth, when in
    double range_km = 0.0;       // range, km
    Single GLAT;                 // the revolution count's input (its sign)
    std::int16_t lit = 0;        // sunlit, when in
    char antenna = ' ';          // 'A' or 'B' when in and above the stations' sphere horizon
};

// One whole second of an object seen from a site, with all a pass's details
// and track need.
struct SkyState {
    Sample sample;                 // as the pass finder sees it
    double range_rate_km_s = 0.0;  // positive receding
    double lat_deg = 0.0;          // the sub-satellite point
    double lon_deg = 0.0;          // east, 0 to 360
    double height_km = 0.0;        // above the ellipsoid
    bool sunlit = false;           // the shadow test of the report, also below the horizon
    double sun_el_deg = 0.0;       // the Sun's elevation at the site
};

// Whether the satellite is sunlit, and the Sun's elevation at the site.
struct SunView {
    bool sunlit = false;      // the shadow test of the report
    double sun_el_deg = 0.0;  // degrees
};

// The station of a site: a table station, or any site on the stations' sphere.
Station station_of(const Site& site);

class View {
public:
    // The site's view of the object whose orbit is orbit (shared with the
    // object's other sites).
    View(const Site& site, ObjectOrbit& orbit);

    Sample at(std::int64_t t) { return at(orbit_.at(t)); }
    // The same at a point already worked out.
    Sample at(OrbitPoint& p);
    // Elevation of a sample less the site's minimum, degrees.
    double above_min_deg(const Sample& s) const;
    // The sample at t with the site's view of the Sun, the motion and the
    // sub-satellite point.
    SkyState sky_at(std::int64_t t);
    // The Sun alone at t: whether the satellite is sunlit, its elevation.
    SunView sun_at(std::int64_t t);
    // The sine of the minimum elevation a sample needs.
    double min_sin() const { return min_sin_; }
    const Station& station() const { return station_; }
    const EllipsoidSite& ellipsoid() const { return ellipsoid_; }

private:
    SunView sun_view(OrbitPoint& p);
    // The antenna mark of a sample in a pass whose look from the site on
    // the sphere is look: 'A' within 90 degrees of the Sun, else 'B'.
    char antenna(OrbitPoint& p, const Look& look);

    const Site& site_;
    ObjectOrbit& orbit_;
    Station station_;
    SphrotFrame frame_;  // the Sun aspect's scratch
    EllipsoidSite ellipsoid_{};
    double site_pos_[3]{};  // the site, Earth-fixed, km
    double site_up_[3]{};   // its vertical: the ellipsoid's normal, or the sphere's radius
    double min_sin_ = 0.0;
};

}  // namespace talik
