#!/bin/sh
# Draws the README's pictures anew from a shipped element set:
#   scripts/make_readme_pictures.sh BIN_DIR [OUT_DIR]
# BIN_DIR holds talik-plot (build/release/bin); OUT_DIR defaults to
# docs/pictures.  The pictures are the ground track of examples/iss.tle over
# a day from the first whole minute after its epoch, seen from MADRID and
# from a site in Toulouse on the WGS-84 ellipsoid, and the sky plot of
# MADRID's second pass.  A test draws them again and compares them with the
# committed ones.
set -eu
if [ $# -lt 1 ] || [ ! -x "$1/talik-plot" ]; then
    echo "usage: $0 BIN_DIR [OUT_DIR]" >&2
    exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "$1" && pwd)
out=${2:-$root/docs/pictures}
mkdir -p "$out"
cd "$root"
start=2019-12-09T16:39:00
"$bin/talik-plot" examples/iss.tle --start $start --station 6 --site 43.6,1.44,150,TOULOUSE -o "$out/iss-map.svg"
"$bin/talik-plot" examples/iss.tle --start $start --station 6 --pass 2 -o "$out/iss-sky.svg"
