// main.cpp - entry point of talik.

#include <cstdio>

#include "app/cli.hpp"
#include "app/process.hpp"

int main(int argc, char** argv) {
    if (!talik::prepare_process()) return 1;
    return talik::main_program(argc, argv, stdin, stdout, stderr);
}
