// talik_main - talik's arguments, the deck prompt, and its run.
//
// Given:    argc, argv        the command line: [DECK], --help, --version
//           in, out, err      FILE*  standard input, output and error
// Returned: (value)           int    the exit status (exit_status.hpp)
//
// Notes:
//  - talik DECK runs the prediction DECK describes; --help and --version
//    write the usage and the version to standard output.  Any other first
//    argument is the name of the deck (a deck called --help is run as
//    ./--help).
//  - Without an argument the deck's name is asked for on the console; the
//    reply is a path, read to its line's end, at most PATH_MAX - 1 bytes and
//    without NUL bytes.
//  - What the console holds goes out before the one line on stderr.
#include "app/talik_cli.hpp"

#include <climits>
#include <exception>
#include <string>
#include <string_view>

#include "app/exit_status.hpp"
#include "format/console.hpp"
#include "format/deck.hpp"
#include "format/errors.hpp"
#include "format/output_file.hpp"
#include "report/talik_run.hpp"

namespace talik {

namespace {

constexpr const char* PROGRAM = "talik";
constexpr const char* REPORT_FILE = "KESTAD.DAT";

constexpr std::string_view HELP = "Usage: talik [DECK]\n"
                                  "Predict the ground track of one satellite and its passes over one of eight\n"
                                  "ground stations, from the input deck DECK (asked for when not given).\n"
                                  "\n"
                                  "The deck's first record chooses the output: 6 writes the paginated report\n"
                                  "to standard output, 8 writes the data lines to KESTAD.DAT in the current\n"
                                  "directory, any other value computes the run without writing a report.\n"
                                  "\n"
                                  "Options:\n"
                                  "  --help     show this help and exit\n"
                                  "  --version  show the version and exit\n"
                                  "\n";
constexpr std::string_view HELP_END = "\nA deck named --help or --version can be run as ./--help.  See talik(1).\n";

bool blank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

// The deck's name from the console, after the two prompt lines.  The reply
// is a path: it ends at the line's end and may not exceed the system's
// limit on a path or hold a NUL byte.
bool ask_deck_name(Console& console, std::FILE* in, std::string& name) {
    console.raw("File name missing or blank - please enter file name\r\nUNIT 7? ");
    console.flush();
    name.clear();
    constexpr std::size_t LONGEST = PATH_MAX - 1;
    int c = 0;
    while ((c = std::fgetc(in)) != EOF && c != '\n') {
        if (c == '\0') throw InputError("standard input", "the deck's name holds a NUL byte");
        if (name.size() > LONGEST) break;  // one more than a CR before the line end may take
        name.push_back(static_cast<char>(c));
    }
    if (!name.empty() && name.back() == '\r') {
        name.pop_back();
    }
    if (name.size() > LONGEST) {
        throw InputError("standard input", "the deck's name is longer than " + std::to_string(LONGEST) + " bytes");
    }
    return !blank(name);
}

// What the console holds goes out before the one line on stderr.
int report_failure(Console& console, std::FILE* err, const std::exception_ptr& failure) {
    try {
        console.flush();
    } catch (const std::exception&) {
        // The failure being reported matters more than the console's.
    }
    return failure_status(PROGRAM, err, failure);
}

}  // namespace

int talik_main(int argc, const char* const* argv, std::FILE* in, std::FILE* out, std::FILE* err) {
    if (argc > 2) {
        std::fprintf(err, "%s: too many arguments; usage: talik [DECK] (see talik --help)\n", PROGRAM);
        return EXIT_USAGE;
    }
    std::string deck_name = argc == 2 ? argv[1] : "";
    const std::string closed = unwritable_reason(out);
    if ((deck_name == "--help" || deck_name == "--version") && !closed.empty()) {
        std::fprintf(err, "%s: cannot write to the console: %s\n", PROGRAM, closed.c_str());
        return EXIT_FAILED;
    }
    if (deck_name == "--help") {
        const std::string help = std::string(HELP) + std::string(EXIT_STATUS_TEXT) + std::string(HELP_END);
        std::fwrite(help.data(), 1, help.size(), out);
        return std::fflush(out) == 0 ? EXIT_OK : EXIT_FAILED;
    }
    if (deck_name == "--version") {
        std::fprintf(out, "talik %s\n", TALIK_VERSION);
        return std::fflush(out) == 0 ? EXIT_OK : EXIT_FAILED;
    }

    Console console(out);
    try {
        if (blank(deck_name) && !ask_deck_name(console, in, deck_name)) {
            std::fprintf(err, "%s: no deck named\n", PROGRAM);
            return EXIT_FAILED;
        }
        Deck deck = Deck::open(deck_name);
        run(deck, console, REPORT_FILE);
        console.flush();
        return EXIT_OK;
    } catch (...) {
        return report_failure(console, err, std::current_exception());
    }
}

}  // namespace talik
