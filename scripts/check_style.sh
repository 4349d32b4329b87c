#!/bin/bash
# The style check: the layout of every C++ source (clang-format, by
# .clang-format), then static analysis of the programs' sources under src/
# (clang-tidy, by .clang-tidy, and cppcheck).  Prints every finding and exits
# non-zero if there is any.
#   scripts/check_style.sh BUILD_DIR
# BUILD_DIR is a build tree configured with a preset, for the compile
# commands (compile_commands.json) clang-tidy reads.  clang-tidy looks at
# src/ only: the tests' translation units take about as long again.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2

if [ $# -ne 1 ]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
build=$1
if [ ! -f "$build/compile_commands.json" ]; then
    echo "check_style: $build/compile_commands.json: not found; configure BUILD_DIR with a preset first" >&2
    exit 2
fi

JOBS=2
# Options of g++ that clang does not take: the vectoriser's and link-time
# optimisation's.  They change no diagnostic.
GCC_ONLY='-fno-tree-vectorize|-fno-tree-loop-vectorize|-fno-tree-slp-vectorize|-flto=auto|-fno-fat-lto-objects'

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

echo "-- clang-format"
find src tests bench fuzz -name '*.cpp' -o -name '*.hpp' | sort >"$work/sources"
xargs -P"$JOBS" -n16 clang-format --dry-run -Werror <"$work/sources" || status=1

echo "-- clang-tidy (src/)"
sed -E ":a; s/ ($GCC_ONLY)([ \"])/\2/; ta" "$build/compile_commands.json" >"$work/compile_commands.json"
find src -name '*.cpp' | sort >"$work/programs"
# Each file's findings are printed together, once its run has ended.
# shellcheck disable=SC2016
xargs -P"$JOBS" -I{} sh -c 'out=$(clang-tidy -p "$1" --quiet "$2" 2>&1) && exit 0
    printf "%s\n" "$out" | grep -v "warnings\{0,1\} \(and [0-9]* errors\{0,1\} \)\{0,1\}generated\.$"; exit 1' \
    sh "$work" {} <"$work/programs" || status=1

echo "-- cppcheck (src/)"
cppcheck --std=c++20 --language=c++ --enable=warning,performance,portability --error-exitcode=1 --quiet \
    -j"$JOBS" -I src --template='{file}:{line}:{column}: {severity}: {message} [{id}]' src || status=1

if [ "$status" -ne 0 ]; then
    echo "check_style: findings above; clang-format -i FILE fixes the layout" >&2
fi
exit "$status"
