// run_tool - the companions' command line parsed, then their work, with
// every failure turned into one line and an exit status.
//
// Given:    program       const char*          the program's name
//           app           CLI::App             its options
//           argc, argv    the command line
//           out, err      FILE*                standard output and error
//           body          function<int()>      the work, returning a status
// Returned: (value)       int                  the exit status: body's, or
//                                              EXIT_USAGE for a command line
//                                              that cannot be used (also a
//                                              CLI::ParseError thrown by
//                                              body), else failure_status's
//
// Notes:
//  - --help and --version are answered on out; the help ends with
//    EXIT_STATUS_TEXT and the manual page's name.
//  - Every failure becomes one line "PROGRAM: ..." on err.
#include "app/tool.hpp"

#include <exception>
#include <string>

#include "app/exit_status.hpp"
#include "format/errors.hpp"
#include "format/output_file.hpp"

namespace talik {

namespace {

// --help and --version: their text is the output asked for.
int put(const char* program, std::FILE* out, std::FILE* err, const std::string& text) {
    try {
        OutputFile::write_whole("", "-", out, {}, text);
        return EXIT_OK;
    } catch (const OutputError& e) {
        std::fprintf(err, "%s: %s\n", program, e.what());
        return EXIT_FAILED;
    }
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
        return put(program, out, err, app.help());
    } catch (const CLI::CallForVersion&) {
        return put(program, out, err, std::string(program) + " " + TALIK_VERSION + "\n");
    } catch (const CLI::ParseError& e) {
        std::fprintf(err, "%s: %s (see %s --help)\n", program, e.what(), program);
        return EXIT_USAGE;
    } catch (...) {
        return failure_status(program, err, std::current_exception());
    }
}

}  // namespace talik
