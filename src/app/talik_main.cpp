// main - entry point of talik: the process prepared, then talik_main.

#include <cstdio>

#include "app/talik_cli.hpp"
#include "app/process.hpp"

int main(int argc, char** argv) {
    if (!talik::prepare_process()) return 1;
    return talik::talik_main(argc, argv, stdin, stdout, stderr);
}
