#!/usr/bin/env python3
"""Check that the libraries depend one way, as the README's "Where things
live" lists them: a file of src/DIR includes only headers of DIR and of the
folders above it in that table.

usage: check_layers.py ROOT
"""
import os
import re
import sys

ROW = re.compile(r"^\| `src/(\w+)/` \|", re.M)
INCLUDE = re.compile(r'^#include "(\w+)/[^"]+"', re.M)


def main(root):
    readme = open(os.path.join(root, "README.md"), encoding="utf-8").read()
    table = readme[readme.index("## Where things live"):]
    order = ROW.findall(table)
    rank = {name: i for i, name in enumerate(order)}
    problems = []
    src = os.path.join(root, "src")
    for folder in sorted(os.listdir(src)):
        if folder not in rank:
            problems.append(f"src/{folder}/ is not in the README's table")
            continue
        for name in sorted(os.listdir(os.path.join(src, folder))):
            if not name.endswith((".cpp", ".hpp")):
                continue
            text = open(os.path.join(src, folder, name), encoding="utf-8").read()
            for used in INCLUDE.findall(text):
                if used not in rank or rank[used] > rank[folder]:
                    problems.append(f"src/{folder}/{name} includes {used}/, which the table lists below {folder}/")
    for p in problems:
        print("FAIL:", p)
    print(f"{len(order)} libraries in order: {' <- '.join(order)}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
