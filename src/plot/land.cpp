// parse_land, land_rings - the land outline built into the library.
//
// Given:    text    string_view      a land file (parse_land)
// Returned: (value) vector of GeoLine  its rings, degrees (parse_land); the
//                                    embedded rings, parsed on first use
//                                    (land_rings)
// Thrown:   std::runtime_error       naming the line, when the text is
//                                    malformed (parse_land)
//
// Notes:
//  - A land file holds "grid SX SY TX TY", then "ring X,Y X,Y ..." lines of
//    grid integers (longitude TX + X*SX, latitude TY + Y*SY); lines starting
//    with # are comments.  A ring must be closed and have at least three
//    corners.
#include "plot/land.hpp"

#include <charconv>
#include <string>

#include "format/errors.hpp"

namespace talik::plot {
namespace {

struct Grid {
    double sx = 0, sy = 0, tx = 0, ty = 0;
};

[[noreturn]] void bad_line(int line_no, const std::string& what) {
    throw InternalError("land data, line " + std::to_string(line_no) + ": " + what);
}

// Reads one number of type T at `pos`, then skips one separator character.
template <typename T>
T read_number(std::string_view line, std::size_t& pos, int line_no) {
    T value{};
    const auto [end, ec] = std::from_chars(line.data() + pos, line.data() + line.size(), value);
    if (ec != std::errc()) bad_line(line_no, "a number was expected at column " + std::to_string(pos + 1));
    pos = static_cast<std::size_t>(end - line.data());
    if (pos < line.size()) ++pos;
    return value;
}

}  // namespace

std::vector<GeoLine> parse_land(std::string_view text) {
    std::vector<GeoLine> rings;
    Grid grid;
    bool have_grid = false;
    int line_no = 0;
    while (!text.empty()) {
        const std::size_t nl = text.find('\n');
        const std::string_view line = text.substr(0, nl);
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
        ++line_no;
        if (line.empty() || line.front() == '#') continue;
        std::size_t pos = line.find(' ');
        if (pos == std::string_view::npos) bad_line(line_no, "no data after the key word");
        const std::string_view key = line.substr(0, pos++);
        if (key == "grid") {
            grid = {read_number<double>(line, pos, line_no), read_number<double>(line, pos, line_no),
                    read_number<double>(line, pos, line_no), read_number<double>(line, pos, line_no)};
            have_grid = true;
        } else if (key == "ring") {
            if (!have_grid) bad_line(line_no, "a ring before the grid line");
            GeoLine ring;
            while (pos < line.size()) {
                const auto x = read_number<long>(line, pos, line_no);
                const auto y = read_number<long>(line, pos, line_no);
                ring.push_back(
                    {grid.tx + static_cast<double>(x) * grid.sx, grid.ty + static_cast<double>(y) * grid.sy});
            }
            if (ring.size() < 4 || ring.front().lon != ring.back().lon || ring.front().lat != ring.back().lat) {
                bad_line(line_no, "a ring must be closed and have at least three corners");
            }
            rings.push_back(std::move(ring));
        } else {
            bad_line(line_no, "unknown key word \"" + std::string(key) + "\"");
        }
    }
    return rings;
}

const std::vector<GeoLine>& land_rings() {
    static const std::vector<GeoLine> rings = parse_land(LAND_TEXT);
    return rings;
}

}  // namespace talik::plot
