// wrap_lon, split_at_date_line, small_circle, fill_ring - lines on the
// sphere made ready for an equirectangular map.
//
// Given:    lon_deg     double   a longitude, degrees (wrap_lon)
//           line        GeoLine  a line, longitudes in any range
//                                (split_at_date_line)
//           centre      LonLat   centre of a small circle, degrees
//           radius_deg  double   its radius as a central angle, degrees
//           count       int      how many points it gets
//           ring        GeoLine  a closed ring, last point = first
//                                (fill_ring)
// Returned: (value)     double   the longitude in [-180, 180) (wrap_lon)
//           (value)     vector of GeoLine  the pieces of the line
//                                (split_at_date_line)
//           (value)     GeoLine  the circle's points (small_circle); the
//                                ring fit for filling (fill_ring)
//
// Notes:
//  - split_at_date_line takes a step that changes the longitude by more than
//    180 deg the short way round; the crossing point, interpolated in
//    latitude, ends one piece at one map edge and starts the next at the
//    other.  Consecutive equal points are kept once; pieces of a single point
//    are dropped.
//  - small_circle gives a point every 360/count deg of bearing from north
//    through east, plus the first again to close the circle; it is valid for
//    any centre, poles included.
//  - fill_ring keeps the longitudes continuous (they may leave [-180, 180),
//    so the caller draws the ring shifted by whole turns as well and clips),
//    starting where the ring crosses the date line if it does.  A ring that
//    goes once round a pole is closed along that pole's edge of the map, on
//    the side of its mean latitude.
#include "plot/geo.hpp"
#include "numeric/constants.hpp"

#include <cmath>
#include <numbers>

namespace talik::plot {
namespace {

constexpr double HALF_TURN_DEG = 180.0;
constexpr double TURN_DEG = 360.0;

void push_distinct(GeoLine& line, LonLat p) {
    if (line.empty() || line.back().lon != p.lon || line.back().lat != p.lat) line.push_back(p);
}

// Latitude where the step a -> b (b.lon already unwrapped next to a) meets
// the meridian `edge`.
double crossing_lat(LonLat a, LonLat b, double edge) {
    const double f = (edge - a.lon) / (b.lon - a.lon);
    return a.lat + f * (b.lat - a.lat);
}

// Longitude of b taken the short way round from a.
double unwrap_next(double a_lon, double b_lon) {
    double d = std::remainder(b_lon - a_lon, TURN_DEG);
    if (d == -HALF_TURN_DEG) d = HALF_TURN_DEG;
    return a_lon + d;
}

}  // namespace

double wrap_lon(double lon_deg) {
    double w = std::fmod(lon_deg + HALF_TURN_DEG, TURN_DEG);
    if (w < 0) w += TURN_DEG;
    w -= HALF_TURN_DEG;
    return w >= HALF_TURN_DEG ? -HALF_TURN_DEG : w;
}

bool crosses_date_line(double from_lon_deg, double to_lon_deg) {
    const double from = wrap_lon(from_lon_deg);
    const double to = unwrap_next(from, wrap_lon(to_lon_deg));
    return from == -HALF_TURN_DEG || to >= HALF_TURN_DEG || to <= -HALF_TURN_DEG;
}

std::vector<GeoLine> split_at_date_line(const GeoLine& line) {
    std::vector<GeoLine> pieces;
    GeoLine piece;
    for (std::size_t i = 0; i < line.size(); ++i) {
        LonLat b{wrap_lon(line[i].lon), line[i].lat};
        if (!piece.empty()) {
            // Next to a point on the right edge, -180 is drawn as +180.
            const LonLat a = piece.back();
            const LonLat b_next{unwrap_next(a.lon, b.lon), b.lat};
            if (b_next.lon > HALF_TURN_DEG || b_next.lon < -HALF_TURN_DEG) {
                const double edge = b_next.lon > HALF_TURN_DEG ? HALF_TURN_DEG : -HALF_TURN_DEG;
                const double lat = crossing_lat(a, b_next, edge);
                push_distinct(piece, {edge, lat});
                if (piece.size() > 1) pieces.push_back(piece);
                piece = {{-edge, lat}};
            } else {
                b = b_next;
            }
        }
        push_distinct(piece, b);
    }
    if (piece.size() > 1) pieces.push_back(piece);
    return pieces;
}

GeoLine small_circle(LonLat centre, double radius_deg, int count) {
    // Centre c with its local east e and north n; a point at bearing b lies
    // at c cos r + (n cos b + e sin b) sin r.  e and n stay defined at a pole.
    const double lam = centre.lon * DEGRAD_DOUBLE, phi = centre.lat * DEGRAD_DOUBLE;
    const double c[3] = {std::cos(phi) * std::cos(lam), std::cos(phi) * std::sin(lam), std::sin(phi)};
    const double e[3] = {-std::sin(lam), std::cos(lam), 0.0};
    const double n[3] = {-std::sin(phi) * std::cos(lam), -std::sin(phi) * std::sin(lam), std::cos(phi)};
    const double cr = std::cos(radius_deg * DEGRAD_DOUBLE), sr = std::sin(radius_deg * DEGRAD_DOUBLE);
    GeoLine circle;
    if (count <= 0) return circle;
    circle.reserve(static_cast<std::size_t>(count) + 1);
    for (int k = 0; k < count; ++k) {
        const double b = TURN_DEG * k / count * DEGRAD_DOUBLE;
        double p[3];
        for (int j = 0; j < 3; ++j) p[j] = c[j] * cr + (n[j] * std::cos(b) + e[j] * std::sin(b)) * sr;
        circle.push_back(
            {std::atan2(p[1], p[0]) / DEGRAD_DOUBLE, std::atan2(p[2], std::hypot(p[0], p[1])) / DEGRAD_DOUBLE});
    }
    circle.push_back(circle.front());
    return circle;
}

GeoLine fill_ring(const GeoLine& ring) {
    GeoLine out;
    if (ring.size() < 2) return ring;
    // The ring is closed (last = first); walk its n distinct steps once,
    // starting after the first step that crosses the date line.
    const std::size_t n = ring.size() - 1;
    std::size_t start = 0;
    double start_lon = wrap_lon(ring[0].lon);
    double start_lat = ring[0].lat;
    for (std::size_t i = 0; i < n; ++i) {
        const LonLat a{wrap_lon(ring[i].lon), ring[i].lat};
        const LonLat b{unwrap_next(a.lon, wrap_lon(ring[i + 1].lon)), ring[i + 1].lat};
        // Arriving exactly on the right edge counts too: the walk may then
        // start there, which keeps a polar ring's closing edges on the map's sides.
        if (b.lon >= HALF_TURN_DEG || b.lon < -HALF_TURN_DEG) {
            const double edge = b.lon >= HALF_TURN_DEG ? HALF_TURN_DEG : -HALF_TURN_DEG;
            start = i + 1;
            start_lat = crossing_lat(a, b, edge);
            start_lon = -edge;
            break;
        }
    }
    out.push_back({start_lon, start_lat});
    double lat_sum = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const LonLat p = ring[(start + k) % n];
        push_distinct(out, {unwrap_next(out.back().lon, wrap_lon(p.lon)), p.lat});
        lat_sum += p.lat;
    }
    push_distinct(out, {unwrap_next(out.back().lon, start_lon), start_lat});
    // Once round a pole the walk ends a whole turn from where it began.
    if (std::fabs(out.back().lon - out.front().lon) > HALF_TURN_DEG) {
        const double pole = lat_sum < 0 ? -90.0 : 90.0;
        out.push_back({out.back().lon, pole});
        out.push_back({out.front().lon, pole});
        out.push_back(out.front());
    }
    return out;
}

}  // namespace talik::plot
