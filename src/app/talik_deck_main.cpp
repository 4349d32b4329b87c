// main - entry point of talik-deck: the process prepared, then talik_deck_main.

#include <cstdio>

#include "app/deck_cli.hpp"
#include "app/process.hpp"

int main(int argc, char** argv) {
    if (!talik::prepare_process()) return 1;
    return talik::talik_deck_main(argc, argv, stdout, stderr);
}
