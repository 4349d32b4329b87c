// main - entry point of talik-passes: the process prepared, then talik_passes_main.

#include <cstdio>

#include "app/passes_cli.hpp"
#include "app/process.hpp"

int main(int argc, char** argv) {
    if (!talik::prepare_process()) return 1;
    return talik::talik_passes_main(argc, argv, stdin, stdout, stderr);
}
