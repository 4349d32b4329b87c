#!/bin/sh
# Runs talik on one deck in a fresh directory and compares, byte for byte,
# what it wrote with the expected files beside the deck:
#   NAME.deck    the input deck
#   NAME.out     expected standard output (the console)
#   NAME.dat     expected KESTAD.DAT (when absent, no KESTAD.DAT may appear)
#   NAME.err     expected standard error (default: empty)
#   NAME.status  expected exit status (default: 0)
#   NAME.before  a KESTAD.DAT present before the run (a refused run must keep it)
#   NAME.setup   shell commands run in the work directory before the run
# usage: check_deck.sh TALIK DIR NAME
set -u
talik=$1 dir=$2 name=$3
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
cp "$dir/$name.deck" "$work/$name.deck"
[ -f "$dir/$name.before" ] && cp "$dir/$name.before" "$work/KESTAD.DAT"
cd "$work" || exit 1
[ -f "$dir/$name.setup" ] && . "$dir/$name.setup"
"$talik" "$name.deck" >stdout 2>stderr </dev/null
status=$?
fail=0
expected_status=0
[ -f "$dir/$name.status" ] && expected_status=$(cat "$dir/$name.status")
if [ "$status" != "$expected_status" ]; then
    echo "exit status $status, expected $expected_status"; fail=1
fi
if [ -n "$(ls -A | grep -v -e '^stdout$' -e '^stderr$' -e '^KESTAD.DAT$' -e "^$name.deck\$")" ]; then
    echo "stray files left behind:"; ls -A; fail=1
fi
if ! cmp -s stdout "$dir/$name.out"; then
    echo "console output differs from $name.out:"; cmp stdout "$dir/$name.out"; fail=1
fi
if [ -f "$dir/$name.err" ]; then
    cmp -s stderr "$dir/$name.err" || { echo "stderr differs:"; cat stderr; fail=1; }
elif [ -s stderr ]; then
    echo "unexpected stderr:"; cat stderr; fail=1
fi
if [ -f "$dir/$name.dat" ]; then
    cmp -s KESTAD.DAT "$dir/$name.dat" || { echo "KESTAD.DAT differs from $name.dat"; fail=1; }
elif [ -f KESTAD.DAT ]; then
    echo "unexpected KESTAD.DAT"; fail=1
fi
exit $fail
