// tool.hpp - how the companion programs start and end.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdio>
#include <functional>

namespace talik {

// Parses the command line with app, then runs body, whose value is the exit
// status; every failure becomes one line on err and a status.
int run_tool(const char* program, CLI::App& app, int argc, const char* const* argv, std::FILE* out, std::FILE* err,
             const std::function<int()>& body);

}  // namespace talik
