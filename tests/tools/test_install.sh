#!/bin/sh
# Installs a built tree into a temporary prefix and checks what arrived:
# the program, its manual page and the example decks with their README; then
# runs the installed program (--version, and an installed example deck, whose
# console output must match the stored copy when the source tree has one).
# usage: tests/tools/test_install.sh BUILD_DIR
set -u
if [ $# -ne 1 ] || [ ! -d "$1" ]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
build=$1
here=$(cd "$(dirname "$0")" && pwd)
expected="$here/../docs/expected"

prefix=$(mktemp -d) || exit 1
work=$(mktemp -d) || { rm -rf "$prefix"; exit 1; }
trap 'rm -rf "$prefix" "$work"' EXIT

if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    echo "cmake --install failed:"; cat "$work/install.log"
    exit 1
fi

fail=0
for f in bin/talik bin/talik-deck bin/talik-passes bin/talik-plot share/man/man1/talik.1 share/man/man1/talik-deck.1 \
         share/man/man1/talik-passes.1 share/man/man1/talik-plot.1 share/talik/examples/README.md \
         share/talik/examples/iss.tle share/talik/examples/vanguard-1.xml \
         share/talik/examples/leo-madrid.deck share/talik/examples/polar-esrange.deck \
         share/talik/examples/polar-syowa.deck share/talik/examples/elliptic-file.deck; do
    [ -f "$prefix/$f" ] || { echo "not installed: $f"; fail=1; }
done
[ -x "$prefix/bin/talik" ] || { echo "bin/talik is not executable"; fail=1; }
"$prefix/bin/talik-passes" --version >/dev/null || { echo "talik-passes --version failed"; fail=1; }
"$prefix/bin/talik-plot" --version >/dev/null || { echo "talik-plot --version failed"; fail=1; }
[ $fail -eq 0 ] || exit 1

version=$("$prefix/bin/talik" --version) || { echo "talik --version failed"; exit 1; }
case $version in
    "talik "[0-9]*) ;;
    *) echo "talik --version printed: $version"; exit 1 ;;
esac

# Run an installed deck from its installed place, with the work directory
# elsewhere (KESTAD.DAT would go to the current directory).
cd "$work" || exit 1
"$prefix/bin/talik" "$prefix/share/talik/examples/leo-madrid.deck" >stdout 2>stderr </dev/null
status=$?
[ $status -eq 0 ] || { echo "installed talik on leo-madrid.deck: exit status $status"; cat stderr; exit 1; }
[ -s stderr ] && { echo "installed talik wrote to stderr:"; cat stderr; exit 1; }
if [ -f "$expected/leo-madrid.out" ]; then
    cmp -s stdout "$expected/leo-madrid.out" || { echo "installed talik: output differs from $expected/leo-madrid.out"; exit 1; }
else
    grep -q "TALI-K" stdout || { echo "installed talik: no banner in the output"; exit 1; }
fi
# The companion tool: a deck from an installed element set, run by talik.
"$prefix/bin/talik-deck" "$prefix/share/talik/examples/iss.tle" >iss.deck 2>stderr \
    && "$prefix/bin/talik" iss.deck >stdout 2>>stderr </dev/null \
    || { echo "installed talik-deck on iss.tle:"; cat stderr; exit 1; }
echo "installed and ran $version from $prefix"
exit 0
