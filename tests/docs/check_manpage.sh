#!/bin/sh
# Formats the manual page with every groff warning on; any warning fails.
# usage: check_manpage.sh GROFF PAGE
set -u
groff=$1 page=$2
warnings=$(LC_ALL=C "$groff" -man -Tutf8 -ww -z "$page" 2>&1)
if [ -n "$warnings" ]; then
    echo "$warnings"
    exit 1
fi
lines=$(LC_ALL=C "$groff" -man -Tutf8 "$page" 2>/dev/null | wc -l)
[ "$lines" -gt 50 ] || { echo "the page renders to only $lines lines"; exit 1; }
exit 0
