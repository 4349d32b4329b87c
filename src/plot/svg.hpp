// svg.hpp - compact SVG path data and line simplification.
#pragma once

#include <string>
#include <vector>

namespace talik::plot {

struct Px {
    double x, y;  // picture units (pixels of the viewBox)
};

// Points closer than this to the simplified line are dropped, picture units.
inline constexpr double SIMPLIFY_TOLERANCE = 0.25;

// The line without points that lie within `tolerance` of the kept line.
std::vector<Px> simplify(const std::vector<Px>& line, double tolerance);

// Compact path data, rounded to 0.1.
class PathData {
public:
    void move_to(Px p);
    void line_to(Px p);
    void close();
    // A whole polyline as one subpath.
    void polyline(const std::vector<Px>& line);
    bool empty() const { return d_.empty(); }
    const std::string& str() const { return d_; }

private:
    std::string d_;
    long long x_ = 0, y_ = 0;              // current point, tenths
    long long start_x_ = 0, start_y_ = 0;  // subpath start, tenths
    bool in_lines_ = false;                // an 'l' is open
};

}  // namespace talik::plot
