#!/bin/sh
# Installs what a fresh Debian machine lacks, through apt-get.
#   scripts/setup.sh           what building the programs needs: a C++20
#                              compiler, CMake, and the JSON, XML and
#                              command-line libraries of the companion tools;
#                              the time-zone database for talik-passes'
#                              --time-zone
#   scripts/setup.sh --test    also what the tests need: GoogleTest and
#                              GoogleMock, Python 3, clang with its runtime
#                              libraries (libFuzzer and the sanitizers),
#                              python3-sgp4 and python3-ephem for the
#                              cross-checks, python3-icalendar to read
#                              calendar files, strace to see the report
#                              synced to disk, for the pictures xmllint with
#                              the W3C DTDs, Chromium and Python's imaging
#                              library, and for the style check clang-format,
#                              clang-tidy and cppcheck
#   scripts/setup.sh --bench   also Google Benchmark (the bench preset) and
#                              GNU time for the benchmarks' memory figures
set -e
packages="g++ cmake nlohmann-json3-dev libpugixml-dev libcli11-dev tzdata"
for arg in "$@"; do
    case "$arg" in
    --test) packages="$packages libgtest-dev libgmock-dev python3 python3-sgp4 python3-ephem python3-icalendar strace clang libclang-rt-dev libxml2-utils w3c-sgml-lib chromium python3-pil clang-format clang-tidy cppcheck" ;;
    --bench) packages="$packages libbenchmark-dev time" ;;
    *) echo "usage: $0 [--test] [--bench]" >&2; exit 2 ;;
    esac
done
need=""
for pkg in $packages; do
    dpkg -s "$pkg" >/dev/null 2>&1 || need="$need $pkg"
done
if [ -n "$need" ]; then
    echo "installing:$need"
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq $need
fi
