// talik_passes_main.cpp - entry point of talik-passes.

#include <cstdio>

#include "app/passes_cli.hpp"
#include "app/process.hpp"

int main(int argc, char** argv) {
    if (!talik::prepare_process()) return 1;
    return talik::talik_passes_main(argc, argv, stdin, stdout, stderr);
}
