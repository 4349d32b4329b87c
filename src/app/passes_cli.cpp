// passes_cli.cpp - talik-passes' command line, sources, run and output,
// with every failure turned into one line on stderr and an exit status.
#include "app/passes_cli.hpp"

#include <unistd.h>

#include <CLI/CLI.hpp>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <thread>

#include "app/options.hpp"
#include "app/tool.hpp"
#include "format/output_file.hpp"
#include "passes/output.hpp"
#include "passes/run_passes.hpp"

namespace talik {

namespace {

constexpr const char* PROGRAM = "talik-passes";

struct Options {
    SourceOptions sources;
    std::string format = "table";
    std::string output = "-";
    unsigned threads = 0;
};

// "talik-passes: 120 of 2000 objects, 35.2 a second, 53 s left", redrawn in place.
class ProgressLine {
public:
    explicit ProgressLine(std::FILE* err, std::size_t sites) : err_(err), sites_(std::max<std::size_t>(sites, 1)) {}
    void operator()(std::size_t done, std::size_t total) {
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
        const double rate = elapsed > 0.0 ? static_cast<double>(done) / elapsed : 0.0;
        const double left = rate > 0.0 ? static_cast<double>(total - done) / rate : 0.0;
        if (done == 0) {
            std::fprintf(err_, "\r%s: 0 of %zu objects\x1b[K", PROGRAM, total / sites_);
        } else {
            std::fprintf(err_, "\r%s: %zu of %zu objects, %.1f a second, %.0f s left\x1b[K", PROGRAM,
                         done / sites_, total / sites_, rate / static_cast<double>(sites_), left);
        }
        if (done == total) std::fputs("\r\x1b[K", err_);
        std::fflush(err_);
    }

private:
    std::FILE* err_;
    std::size_t sites_;
    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
};

OutputFormat output_format(const std::string& name) {
    if (name == "csv") return OutputFormat::Csv;
    if (name == "json") return OutputFormat::Json;
    return OutputFormat::Table;
}

void run(const Options& o, std::FILE* in, std::FILE* out, std::FILE* err) {
    const std::vector<PassObject> objects = read_objects(o.sources, clock_now(), in, err, PROGRAM);
    const std::size_t sites = o.sources.stations.size() + o.sources.sites.size();
    std::size_t object_width = 0;
    std::size_t site_width = 0;
    for (const PassObject& obj : objects) {
        object_width = std::max(object_width, obj.label.size());
        for (const Site& s : obj.sites) site_width = std::max(site_width, s.name.size());
    }
    const auto output = OutputFile::open("-o", o.output, out, Inputs{o.sources.sources, in});
    PassWriter writer(output_format(o.format), output->stream(), output->cannot_write(), object_width, site_width);
    writer.begin();
    Progress progress;
    if (isatty(fileno(err)) != 0) progress = ProgressLine(err, sites == 0 ? 1 : sites);
    const unsigned threads = o.threads > 0 ? o.threads : std::max(1U, std::thread::hardware_concurrency());
    run_passes(
        objects, threads,
        [&](const PassObject&, const Site&, std::vector<Pass>& passes) {
            for (const Pass& p : passes) writer.write(p);
        },
        progress);
    writer.end();
    output->commit();
}

void define(CLI::App& app, Options& o) {
    add_source_options(app, o.sources);
    app.add_option("--format", o.format, "table, csv or json (default table)")
        ->check(CLI::IsMember({"table", "csv", "json"}));
    app.add_option("-o", o.output, "write to FILE, replaced only when the run succeeds (- standard output)");
    app.add_option("--threads", o.threads, "worker threads (default: all cores)")->check(CLI::Range(1U, 1024U));
}

}  // namespace

int talik_passes_main(int argc, const char* const* argv, std::FILE* in, std::FILE* out, std::FILE* err) {
    CLI::App app{"Rise, culmination and set of satellites over stations and sites, as a table, CSV or JSON.",
                 PROGRAM};
    Options o;
    define(app, o);
    return run_tool(PROGRAM, app, argc, argv, out, err, [&] {
        run(o, in, out, err);
        return 0;
    });
}

}  // namespace talik
