// tool.hpp - how the companion programs start and end.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdio>
#include <functional>

namespace talik {

// Parses the command line with app (answering --help and --version on out),
// then runs body, whose value is the exit status.  Every failure becomes one
// line "PROGRAM: ..." on err and a status: EXIT_USAGE for a command line that
// cannot be used (also a CLI::ParseError thrown by body), otherwise as
// failure_status says.  The help ends with EXIT_STATUS_TEXT.
int run_tool(const char* program, CLI::App& app, int argc, const char* const* argv, std::FILE* out, std::FILE* err,
             const std::function<int()>& body);

}  // namespace talik
