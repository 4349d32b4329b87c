#!/usr/bin/env python3
"""Check that README's list of deliberate departures is in step with the code.

usage: check_departures.py README SRC_DIR

Every place in the code that departs on purpose from the plain computation
(to avoid a crash, a division by zero, a NaN, a read outside a table)
carries a comment starting "mended:".  The section
"## Deliberate departures" of README has one top-level bullet ("- ...") per
such comment, and each bullet ends by naming its file in parentheses, e.g.
"(`src/app/run.cpp`)".  The test compares the total and the count per file.
"""
import collections
import os
import re
import sys

SECTION = "## Deliberate departures"
FILE_TAG = re.compile(r"\(`(src/[^`]+)`\)\.?\s*$")


def bullets(readme: str) -> list[str]:
    """The top-level bullets of the section, each joined into one line."""
    lines = open(readme, encoding="utf-8").read().split("\n")
    if SECTION not in lines:
        raise ValueError(f"{readme}: no section '{SECTION}'")
    items: list[str] = []
    for line in lines[lines.index(SECTION) + 1:]:
        if line.startswith("## "):
            break
        if line.startswith("- "):
            items.append(line[2:].strip())
        elif items and line.startswith("  ") and line.strip():
            items[-1] += " " + line.strip()  # continuation of the bullet
    return items


def main(argv: list[str]) -> int:
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    readme, src = argv[1], argv[2]
    root = os.path.dirname(os.path.abspath(src.rstrip("/")))
    in_code: collections.Counter[str] = collections.Counter()
    for directory, _, files in os.walk(src):
        for name in files:
            path = os.path.join(directory, name)
            with open(path, encoding="utf-8", errors="replace") as f:
                count = f.read().count("mended:")
            if count:
                in_code[os.path.relpath(path, root)] += count

    in_readme: collections.Counter[str] = collections.Counter()
    failures = 0
    for item in bullets(readme):
        m = FILE_TAG.search(item)
        if not m:
            print(f"bullet without its file in parentheses at the end: {item[:70]}...")
            failures += 1
            continue
        in_readme[m.group(1)] += 1

    total_code, total_readme = sum(in_code.values()), sum(in_readme.values())
    if total_code != total_readme:
        print(f"README lists {total_readme} departures, the code has {total_code} 'mended:' comments")
        failures += 1
    for path in sorted(set(in_code) | set(in_readme)):
        if in_code[path] != in_readme[path]:
            print(f"{path}: {in_code[path]} 'mended:' comments in the code, {in_readme[path]} bullets in README")
            failures += 1
    if not failures:
        print(f"{total_code} departures, listed file by file")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
