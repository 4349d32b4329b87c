// output_file.hpp - where a program's output goes, and whether it can go
// there at all.
#pragma once

#include <cstdio>
#include <string>

namespace talik {

// Why stream cannot take a single byte, or "" when writing may be tried:
// "it was closed when the program started" for a standard output that
// prepare_process found closed (and opened onto /dev/null for reading
// only), "it is open only for reading" for another stream so opened.
std::string unwritable_reason(std::FILE* stream);

}  // namespace talik
