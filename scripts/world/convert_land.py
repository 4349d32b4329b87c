#!/usr/bin/env python3
"""Write Natural Earth's 1:110m land outline as rings of integer coordinates.

usage: convert_land.py TOPOJSON OUTPUT

TOPOJSON is land-110m.json of the npm package world-atlas (npm ci in this
directory brings the version pinned in package-lock.json).  Its arcs are
quantised to an integer grid and delta-encoded; a ring is a list of arc
indices, where ~i stands for arc i walked backwards.  OUTPUT keeps the grid
and writes each ring with absolute grid coordinates, one ring a line:

    grid SCALE_X SCALE_Y TRANSLATE_X TRANSLATE_Y
    ring X,Y X,Y ...

with longitude = TRANSLATE_X + X * SCALE_X and latitude likewise; a ring
repeats its first point at the end.  Lines starting with # are comments.
"""
import json
import sys


def decoded_arcs(topology: dict) -> list[list[tuple[int, int]]]:
    """Every arc with absolute grid coordinates (undoing the delta encoding)."""
    arcs = []
    for arc in topology["arcs"]:
        x = y = 0
        points = []
        for dx, dy in arc:
            x += dx
            y += dy
            points.append((x, y))
        arcs.append(points)
    return arcs


def ring_points(ring: list[int], arcs: list[list[tuple[int, int]]]) -> list[tuple[int, int]]:
    """The points of one ring: its arcs joined, each shared end point once."""
    points: list[tuple[int, int]] = []
    for index in ring:
        arc = arcs[index] if index >= 0 else arcs[~index][::-1]
        points.extend(arc if not points else arc[1:])
    return points


def rings(topology: dict) -> list[list[tuple[int, int]]]:
    arcs = decoded_arcs(topology)
    out = []
    for geometry in topology["objects"]["land"]["geometries"]:
        polygons = geometry["arcs"] if geometry["type"] == "MultiPolygon" else [geometry["arcs"]]
        for polygon in polygons:
            for ring in polygon:
                out.append(ring_points(ring, arcs))
    return out


def main(argv: list[str]) -> int:
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    with open(argv[1], encoding="utf-8") as f:
        topology = json.load(f)
    (sx, sy), (tx, ty) = topology["transform"]["scale"], topology["transform"]["translate"]
    all_rings = rings(topology)
    with open(argv[2], "w", encoding="ascii", newline="\n") as out:
        out.write("# Natural Earth 1:110m land (public domain), from world-atlas land-110m.json;\n")
        out.write("# made by scripts/world/convert_land.py, see PROVENANCE.md beside this file.\n")
        out.write(f"grid {sx!r} {sy!r} {tx!r} {ty!r}\n")
        for ring in all_rings:
            out.write("ring " + " ".join(f"{x},{y}" for x, y in ring) + "\n")
    print(f"{argv[2]}: {len(all_rings)} rings, {sum(len(r) for r in all_rings)} points")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
