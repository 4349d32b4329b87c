// main - entry point of talik-plot: the process prepared, then talik_plot_main.

#include <cstdio>

#include "app/plot_cli.hpp"
#include "app/process.hpp"

int main(int argc, char** argv) {
    if (!talik::prepare_process()) return 1;
    return talik::talik_plot_main(argc, argv, stdin, stdout, stderr);
}
