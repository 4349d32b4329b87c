// plot_cli.cpp - talik-plot: the sources, sites and window of talik-passes,
// one object's passes found on the model, and the pictures written.
#include "app/plot_cli.hpp"

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

#include "plot/plot_model.hpp"
#include "app/options.hpp"
#include "app/tool.hpp"
#include "format/errors.hpp"
#include "format/text.hpp"
#include "format/pending_file.hpp"
#include "passes/find_passes.hpp"
#include "plot/plot.hpp"

namespace talik {

namespace {

constexpr const char* PROGRAM = "talik-plot";

struct Options {
    SourceOptions sources;
    std::string output;
    int pass = 0;  // with an SVG file: this pass's sky plot instead of the map
};

bool ends_with(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string picture(const Options& o, const plot::PlotData& data) {
    if (ends_with(o.output, ".html")) {
        if (o.pass != 0) throw InputError("--pass", "a sky plot alone is an SVG file; the page holds them all");
        return plot::page_html(data);
    }
    if (!ends_with(o.output, ".svg")) throw InputError("-o " + quote(o.output), "the file must end in .svg or .html");
    if (o.pass == 0) return plot::map_svg(data);
    if (o.pass < 0 || static_cast<std::size_t>(o.pass) > data.passes.size()) {
        throw InputError("--pass", std::to_string(o.pass) + " is not a pass: the window holds " +
                                       std::to_string(data.passes.size()));
    }
    return plot::sky_svg(data.passes[static_cast<std::size_t>(o.pass - 1)]);
}

void run(const Options& o, std::FILE* in, std::FILE* err) {
    const std::vector<PassObject> objects = read_objects(o.sources, in, err, PROGRAM);
    if (objects.size() != 1) {
        throw InputError("the sources", "hold " + std::to_string(objects.size()) +
                                            " objects; talik-plot draws one: name it with --select");
    }
    const PassObject& object = objects.front();
    PendingFile::replace(o.output, picture(o, plot_data(object, find_object_passes(object))));
}

}  // namespace

int talik_plot_main(int argc, const char* const* argv, std::FILE* in, std::FILE* out, std::FILE* err) {
    CLI::App app{"The ground track on a world map and a sky plot of each pass, as SVG or one HTML page.", PROGRAM};
    Options o;
    add_source_options(app, o.sources);
    app.add_option("-o", o.output, "FILE.svg: the map; FILE.html: the map, a sky plot per pass and the pass table")
        ->required();
    app.add_option("--pass", o.pass, "with FILE.svg: the sky plot of pass N (1 for the first) instead of the map");
    return run_tool(PROGRAM, app, argc, argv, out, err, [&] {
        run(o, in, err);
        return 0;
    });
}

}  // namespace talik
