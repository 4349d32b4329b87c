#!/bin/sh
# Validates the rendered map and sky plot against the SVG 1.1 DTD, which
# xmllint finds through the local XML catalog (Debian's w3c-sgml-lib) and
# never fetches (--nonet), and checks that the page is well-formed XML.
# usage: check_svg.sh DIR (holding map.svg, sky.svg and page.html)
# Exits 77 (skipped) when xmllint or the DTD is not installed.
dir=$1
if ! command -v xmllint >/dev/null 2>&1 || ! command -v xmlcatalog >/dev/null 2>&1; then
    echo "xmllint is not installed (scripts/setup.sh --test installs it): skipped"
    exit 77
fi
if ! xmlcatalog /etc/xml/catalog "-//W3C//DTD SVG 1.1//EN" >/dev/null 2>&1; then
    echo "the SVG 1.1 DTD is not in the XML catalog (scripts/setup.sh --test installs it): skipped"
    exit 77
fi
xmllint --nonet --noout --valid "$dir/map.svg" "$dir/sky.svg" || exit 1
xmllint --nonet --noout "$dir/page.html" || exit 1
echo "map.svg and sky.svg valid SVG 1.1, page.html well-formed"
