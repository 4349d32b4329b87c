#!/usr/bin/env python3
r"""Check that every excerpt of talik's output shown in the documents is real.

usage: check_excerpts.py TALIK ROOT DOCUMENT...

An excerpt is a fenced code block (``` ... ```) preceded by a marker comment
naming a deck by its path below ROOT and what the block shows of its run:

  <!-- output: examples/leo-madrid.deck -->   lines of the console output
  <!-- file: examples/elliptic-file.deck -->  lines of KESTAD.DAT
  <!-- stderr: tests/docs/errors/x.deck -->   lines of the standard error
  <!-- command: talik-deck examples/iss.tle --> lines a companion program
                                                 (beside TALIK) writes to its
                                                 standard output and error,
                                                 run in ROOT

In a manual page (a document ending in .1) the marker is a roff comment,
.\" output: examples/leo-madrid.deck, and the block is the text between the
next .nf and .fi, without request lines and with the escapes \- \e \(aq
read as - \ '.

Each deck is run once, in a fresh directory, as `talik NAME.deck`.  The
block's lines must appear as consecutive whole lines of what the run wrote,
read this way:
  - the page-start bytes CR LF FF CR blank CR end the line before them, so a
    new page shows as one empty line;
  - every other CR LF ends a line (KESTAD.DAT lines too);
  - blanks at the end of a line are not compared (editors drop them).
Every document must hold at least one excerpt, and every marker must be
followed by a fenced block.
"""
import os
import re
import subprocess
import sys

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "tools"))
import talikrun  # noqa: E402

MARKER = re.compile(r"^\s*<!--\s*(output|file|stderr):\s*(\S+)\s*-->\s*$")
COMMAND = re.compile(r"^\s*<!--\s*(command):\s*(.+?)\s*-->\s*$")
ROFF_MARKER = re.compile(r'^\.\\"\s*(output|file|stderr):\s*(\S+)\s*$')
ROFF_ESCAPES = (("\\-", "-"), ("\\(aq", "'"), ("\\e", "\\"))
PAGE_START = b"\r\n\f\r \r"


def lines_of(data: bytes) -> list[str]:
    text = data.replace(PAGE_START, b"\n").replace(b"\r\n", b"\n").decode("latin-1")
    return [line.rstrip(" ") for line in text.split("\n")]


def run_deck(talik: str, deck: str) -> dict[str, list[str]]:
    r = talikrun.run_file(talik, deck, timeout=300)
    return {"output": lines_of(r.stdout), "file": lines_of(r.report or b""), "stderr": lines_of(r.stderr)}


def roff_excerpts(path: str, lines: list[str]):
    """The marked .nf ... .fi blocks of a manual page."""
    i = 0
    while i < len(lines):
        m = ROFF_MARKER.match(lines[i])
        i += 1
        if not m:
            continue
        where = i
        while i < len(lines) and lines[i].startswith(".") and lines[i].strip() != ".nf":
            i += 1
        if i == len(lines):
            raise ValueError(f"{path}:{where}: marker not followed by .nf")
        i += 1
        block = []
        while i < len(lines) and lines[i].strip() != ".fi":
            if not lines[i].startswith("."):
                text = lines[i]
                for escape, plain in ROFF_ESCAPES:
                    text = text.replace(escape, plain)
                block.append(text.rstrip(" "))
            i += 1
        if i == len(lines):
            raise ValueError(f"{path}:{where}: .nf block not closed")
        yield where, m.group(1), m.group(2), block


def excerpts(path: str):
    """Yields (line number, kind, deck, block lines) for each marked block."""
    lines = open(path, encoding="utf-8").read().split("\n")
    if path.endswith(".1"):
        yield from roff_excerpts(path, lines)
        return
    i = 0
    while i < len(lines):
        m = MARKER.match(lines[i]) or COMMAND.match(lines[i])
        i += 1
        if not m:
            continue
        where = i
        while i < len(lines) and not lines[i].strip():
            i += 1
        if i == len(lines) or not lines[i].startswith("```"):
            raise ValueError(f"{path}:{where}: marker not followed by a fenced block")
        i += 1
        block = []
        while i < len(lines) and lines[i].rstrip() != "```":
            block.append(lines[i].rstrip(" "))
            i += 1
        if i == len(lines):
            raise ValueError(f"{path}:{where}: fenced block not closed")
        i += 1
        yield where, m.group(1), m.group(2), block


def run_command(talik: str, root: str, command: str) -> list[str]:
    """What a program beside talik writes when run in root, standard output then error."""
    program, *args = command.split()
    p = subprocess.run([os.path.join(os.path.dirname(talik), program), *args], cwd=root, capture_output=True,
                       timeout=300)
    return lines_of(p.stdout + p.stderr)


def contains(whole: list[str], excerpt: list[str]) -> bool:
    n = len(excerpt)
    return n > 0 and any(whole[k:k + n] == excerpt for k in range(len(whole) - n + 1))


def main(argv: list[str]) -> int:
    if len(argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    talik, root, documents = os.path.abspath(argv[1]), argv[2], argv[3:]
    runs: dict[str, dict[str, list[str]]] = {}
    failures = 0
    for document in documents:
        count = 0
        try:
            for line, kind, deck, block in excerpts(document):
                count += 1
                if kind == "command":
                    if deck not in runs:
                        runs[deck] = {"command": run_command(talik, root, deck)}
                    if not contains(runs[deck]["command"], block):
                        print(f"{document}:{line}: this excerpt is not what `{deck}` writes:")
                        print("\n".join("    " + b for b in block))
                        failures += 1
                    continue
                path = os.path.join(root, deck)
                if not os.path.isfile(path):
                    print(f"{document}:{line}: no deck {deck}")
                    failures += 1
                    continue
                if path not in runs:
                    runs[path] = run_deck(talik, path)
                if not contains(runs[path][kind], block):
                    print(f"{document}:{line}: this {kind} excerpt of {deck} is not in the real run:")
                    print("\n".join("    " + b for b in block))
                    failures += 1
        except ValueError as error:
            print(error)
            failures += 1
        if count == 0:
            print(f"{document}: no marked excerpt found")
            failures += 1
        else:
            print(f"{document}: {count} excerpts checked")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
