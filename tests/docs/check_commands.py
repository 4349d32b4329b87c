#!/usr/bin/env python3
"""Check that the programs' commands shown in the documents build and run.

usage: check_commands.py BIN_DIR ROOT DOCUMENT...

In every ```sh block, a command line (with its continuation lines) that
runs a program as ../build/PRESET/bin/NAME (or build/PRESET/bin/NAME):
  - must be reachable: the block builds NAME for PRESET (cmake --build
    --preset PRESET, with no --target or with --target NAME), or the first
    document's first block does (the README's two commands: talik for
    release, everything for default);
  - is run, from a copy of ROOT/examples when it starts "cd examples &&",
    with BIN_DIR standing for build/PRESET/bin, and must end with status 0.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

PROGRAM = re.compile(r"(?:\.\./)?build/(\w+)/bin/([\w-]+)")
BUILD = re.compile(r"cmake --build --preset (\w+)(?: --target ([\w-]+))?")


def blocks(text):
    return re.findall(r"```sh\n(.*?)```", text, re.S)


def commands(block):
    """The block's command lines, continuations joined, comments dropped."""
    joined = re.sub(r"\\\n\s*", " ", block)
    return [re.sub(r"\s+#.*$", "", line).strip() for line in joined.splitlines() if line.strip()]


def built(block):
    return {(preset, target) for preset, target in BUILD.findall(block)}


def reachable(preset, name, builds):
    return (preset, "") in builds or (preset, name) in builds


def main(argv):
    bin_dir, root, documents = os.path.abspath(argv[1]), os.path.abspath(argv[2]), argv[3:]
    failures = []
    # The first document's first block holds the commands that build.
    first = built(blocks(open(documents[0], encoding="utf-8").read())[0])
    for document in documents:
        for block in blocks(open(document, encoding="utf-8").read()):
            builds = first | built(block)
            for line in commands(block):
                programs = PROGRAM.findall(line)
                if not programs or not line.startswith("cd examples &&"):
                    continue
                for preset, name in programs:
                    if not reachable(preset, name, builds):
                        failures.append(f"{document}: {line}: nothing shown builds {name} for the {preset} preset")
                with tempfile.TemporaryDirectory() as home:
                    shutil.copytree(os.path.join(root, "examples"), os.path.join(home, "examples"))
                    run = PROGRAM.sub(lambda m: os.path.join(bin_dir, m.group(2)), line)
                    r = subprocess.run(["sh", "-c", run], cwd=home, capture_output=True, timeout=300)
                    if r.returncode != 0:
                        failures.append(f"{document}: {line}: status {r.returncode}: {r.stderr.decode()[-300:]}")
    for f in failures:
        print("FAIL:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
