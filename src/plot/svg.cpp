// simplify, PathData::move_to, PathData::line_to, PathData::close,
// PathData::polyline - SVG path data, and line simplification.
//
// Given:    line       vector of Px  a polyline, picture units
//           tolerance  double        picture units (simplify)
//           p          Px            a point, picture units
// Returned: (value)    vector of Px  the line without the points that lie
//                                    within tolerance of the kept line; the
//                                    end points are always kept (simplify)
//           the path data, extended
//
// Notes:
//  - simplify is Douglas-Peucker's, with a stack of spans instead of
//    recursion.
//  - The path data is rounded to 0.1: each subpath starts with an absolute
//    moveto and goes on with relative linetos, computed between the rounded
//    points so that rounding does not add up.  Steps that round to nothing
//    are left out.  A polyline of fewer than two points adds nothing.
#include "plot/svg.hpp"

#include <cmath>
#include <utility>

#include "plot/text.hpp"

namespace talik::plot {
namespace {

// Distance of p from the segment a-b.
double segment_distance(Px p, Px a, Px b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0;
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

long long tenths(double v) { return std::llround(v * 10.0); }

std::string tenths_text(long long t) { return coord(static_cast<double>(t) / 10.0); }

}  // namespace

std::vector<Px> simplify(const std::vector<Px>& line, double tolerance) {
    if (line.size() < 3) return line;
    std::vector<bool> keep(line.size(), false);
    keep.front() = keep.back() = true;
    std::vector<std::pair<std::size_t, std::size_t>> spans{{0, line.size() - 1}};
    while (!spans.empty()) {
        const auto [first, last] = spans.back();
        spans.pop_back();
        double worst = -1;
        std::size_t worst_i = first;
        for (std::size_t i = first + 1; i < last; ++i) {
            const double d = segment_distance(line[i], line[first], line[last]);
            if (d > worst) {
                worst = d;
                worst_i = i;
            }
        }
        if (worst > tolerance) {
            keep[worst_i] = true;
            spans.emplace_back(first, worst_i);
            spans.emplace_back(worst_i, last);
        }
    }
    std::vector<Px> out;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (keep[i]) out.push_back(line[i]);
    }
    return out;
}

void PathData::move_to(Px p) {
    x_ = start_x_ = tenths(p.x);
    y_ = start_y_ = tenths(p.y);
    d_ += 'M';
    d_ += tenths_text(x_);
    d_ += ',';
    d_ += tenths_text(y_);
    in_lines_ = false;
}

void PathData::line_to(Px p) {
    const long long x = tenths(p.x), y = tenths(p.y);
    if (x == x_ && y == y_) return;
    d_ += in_lines_ ? ' ' : 'l';
    d_ += tenths_text(x - x_);
    d_ += ',';
    d_ += tenths_text(y - y_);
    x_ = x;
    y_ = y;
    in_lines_ = true;
}

void PathData::close() {
    d_ += 'z';
    x_ = start_x_;
    y_ = start_y_;
    in_lines_ = false;
}

void PathData::polyline(const std::vector<Px>& line) {
    if (line.size() < 2) return;
    move_to(line.front());
    for (std::size_t i = 1; i < line.size(); ++i) line_to(line[i]);
}

}  // namespace talik::plot
