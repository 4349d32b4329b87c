#!/bin/sh
# Installs what building and testing talik needs, when it is missing:
# a C++20 compiler, CMake, GoogleTest/GoogleMock and Google Benchmark,
# Python 3 for the end-to-end tables, and clang with its runtime libraries
# for the fuzzers (libFuzzer and the sanitizers); nlohmann-json and pugixml
# for the element-set readers, and python3-sgp4 to cross-check them.
set -e
need=""
command -v g++ >/dev/null 2>&1 || need="$need g++"
command -v cmake >/dev/null 2>&1 || need="$need cmake"
command -v python3 >/dev/null 2>&1 || need="$need python3"
for pkg in libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-dev nlohmann-json3-dev libpugixml-dev \
    python3-sgp4; do
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
