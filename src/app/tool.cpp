// run_tool - options, then the work, with failures turned into exit statuses.
#include "app/tool.hpp"

#include <exception>
#include <string>

#include "app/exit_status.hpp"

namespace talik {

namespace {

int put(std::FILE* out, const std::string& text) {
    std::fputs(text.c_str(), out);
    return std::fflush(out) == 0 ? EXIT_OK : EXIT_FAILED;
}

}  // namespace

int run_tool(const char* program, CLI::App& app, int argc, const char* const* argv, std::FILE* out, std::FILE* err,
             const std::function<int()>& body) {
    app.set_version_flag("--version", std::string(program) + " " + TALIK_VERSION);
    app.footer(std::string(EXIT_STATUS_TEXT) + "\nSee " + program + "(1).");
    try {
        app.parse(argc, argv);
        return body();
    } catch (const CLI::CallForHelp&) {
        return put(out, app.help());
    } catch (const CLI::CallForVersion&) {
        return put(out, std::string(program) + " " + TALIK_VERSION + "\n");
    } catch (const CLI::ParseError& e) {
        std::fprintf(err, "%s: %s (see %s --help)\n", program, e.what(), program);
        return EXIT_USAGE;
    } catch (...) {
        return failure_status(program, err, std::current_exception());
    }
}

}  // namespace talik
