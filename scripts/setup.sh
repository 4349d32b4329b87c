#!/bin/sh
# Installs what talik needs on Debian, when it is missing.
#   scripts/setup.sh          building talik: a C++20 compiler and CMake
#   scripts/setup.sh --test   also the tests and benchmarks: GoogleTest/GoogleMock,
#                             Google Benchmark, Python 3, clang with its runtime
#                             libraries for the fuzzers, pugixml, and for the
#                             pictures xmllint with the W3C DTDs, Chromium and
#                             Python's imaging library
set -e
case "${1:-}" in
    "") with_tests=no ;;
    --test) with_tests=yes ;;
    *) echo "usage: scripts/setup.sh [--test]" >&2; exit 2 ;;
esac
need=""
command -v g++ >/dev/null 2>&1 || need="$need g++"
command -v cmake >/dev/null 2>&1 || need="$need cmake"
if [ "$with_tests" = yes ]; then
    for pkg in python3 libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-dev libpugixml-dev \
               libxml2-utils w3c-sgml-lib chromium python3-pil; do
        dpkg -s "$pkg" >/dev/null 2>&1 || need="$need $pkg"
    done
fi
if [ -n "$need" ]; then
    echo "installing:$need"
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq $need
fi
