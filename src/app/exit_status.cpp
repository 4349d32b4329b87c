// failure_status - a failure as one line on standard error and a status.
//
// Given:    program  string_view    the program's name, for the line
//           err      FILE*          standard error
//           failure  exception_ptr  what went wrong
// Returned: (value)  int            EXIT_FAILED for an input refused or an
//                                   output that failed (InputError,
//                                   OutputError), EXIT_INTERNAL for
//                                   anything else
//           err      FILE*          the line "PROGRAM: MESSAGE", or
//                                   "PROGRAM: internal error: MESSAGE"
//
// Notes:
//  - The message passes through printable(), so that a name from outside
//    cannot break the one-line rule or move the terminal's cursor.
#include "app/exit_status.hpp"

#include <string>

#include "format/errors.hpp"
#include "format/text.hpp"

namespace talik {

int failure_status(std::string_view program, std::FILE* err, const std::exception_ptr& failure) {
    const std::string name(program);
    try {
        std::rethrow_exception(failure);
    } catch (const InputError& e) {
        std::fprintf(err, "%s: %s\n", name.c_str(), printable(e.what()).c_str());
    } catch (const OutputError& e) {
        std::fprintf(err, "%s: %s\n", name.c_str(), printable(e.what()).c_str());
    } catch (const std::exception& e) {
        std::fprintf(err, "%s: internal error: %s\n", name.c_str(), printable(e.what()).c_str());
        return EXIT_INTERNAL;
    } catch (...) {
        std::fprintf(err, "%s: internal error: an unknown failure\n", name.c_str());
        return EXIT_INTERNAL;
    }
    return EXIT_FAILED;
}

}  // namespace talik
