// main.cpp - entry point of talik.

#include <cstdio>

#include "app/cli.hpp"

int main(int argc, char** argv) { return talik::main_program(argc, argv, stdin, stdout, stderr); }
