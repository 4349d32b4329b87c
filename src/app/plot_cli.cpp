// talik_plot_main - talik-plot: the sources, sites and window of
// talik-passes, one object's passes found on the model, and the pictures
// written.
//
// Given:    argc, argv        the command line
//           in, out, err      FILE*  standard input, output and error
// Returned: (value)           int    the exit status (exit_status.hpp)
#include "app/plot_cli.hpp"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <vector>

#include "plot/plot_model.hpp"
#include "app/options.hpp"
#include "app/tool.hpp"
#include "format/errors.hpp"
#include "format/output_file.hpp"
#include "format/text.hpp"
#include "passes/find_passes.hpp"
#include "plot/plot.hpp"

namespace talik {

namespace {

constexpr const char* PROGRAM = "talik-plot";

struct Options {
    SourceOptions sources;
    std::string output;
    std::string format;       // "svg" or "html"; "" takes it from the file name
    std::optional<int> pass;  // with SVG: this pass's sky plot instead of the map
};

bool ends_with(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// "svg" or "html": --format, else the file name's ending; the two agree.
std::string picture_format(const Options& o) {
    const std::string named = ends_with(o.output, ".html") ? "html" : ends_with(o.output, ".svg") ? "svg" : "";
    if (o.format.empty() && o.output == "-") throw InputError("-o -", "standard output needs --format svg or html");
    if (o.format.empty() && named.empty()) {
        throw InputError("-o " + quote(o.output), "the file must end in .svg or .html (or give --format)");
    }
    if (!o.format.empty() && !named.empty() && named != o.format) {
        throw InputError("--format " + o.format, "the file " + quote(o.output) + " ends in ." + named);
    }
    return o.format.empty() ? named : o.format;
}

std::string picture(const Options& o, const std::string& format, const plot::PlotData& data) {
    if (format == "html") {
        if (o.pass) throw InputError("--pass", "a sky plot alone is an SVG file; the page holds them all");
        return plot::page_html(data);
    }
    if (!o.pass) return plot::map_svg(data);
    for (const plot::PassView& p : data.passes) {
        if (p.number == *o.pass) return plot::sky_svg(p);
    }
    throw InputError("--pass " + std::to_string(*o.pass), data.passes.empty() ? std::string("the window holds no pass")
                                                                              : "a pass is numbered 1 to " +
                                                                                    std::to_string(data.passes.size()) +
                                                                                    ", as talik-passes lists them");
}

void run(const Options& o, std::FILE* in, std::FILE* out, std::FILE* err) {
    const std::string format = picture_format(o);
    const std::vector<PassObject> objects = read_objects(o.sources, clock_now(), in, err, PROGRAM);
    if (objects.size() != 1) {
        throw InputError("the sources", "hold " + std::to_string(objects.size()) +
                                            " objects; talik-plot draws one: name it with --select");
    }
    const PassObject& object = objects.front();
    OutputFile::write_whole("-o", o.output, out, Inputs{o.sources.sources, in},
                            picture(o, format, plot_data(object, find_object_passes(object))));
}

}  // namespace

int talik_plot_main(int argc, const char* const* argv, std::FILE* in, std::FILE* out, std::FILE* err) {
    CLI::App app{"The ground track on a world map and a sky plot of each pass, as SVG or one HTML page.", PROGRAM};
    Options o;
    add_source_options(app, o.sources);
    app.add_option("-o", o.output,
                   "FILE.svg: the map; FILE.html: the map, a sky plot per pass and the pass table; "
                   "- standard output")
        ->required();
    app.add_option("--format", o.format, "svg or html, needed with -o - (default: from the file name)")
        ->check(CLI::IsMember({"svg", "html"}));
    app.add_option("--pass", o.pass,
                   "with SVG: the sky plot of pass N (numbered as talik-passes lists them) instead of the map");
    return run_tool(PROGRAM, app, argc, argv, out, err, [&] {
        run(o, in, out, err);
        return 0;
    });
}

}  // namespace talik
