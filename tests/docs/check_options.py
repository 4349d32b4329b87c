#!/usr/bin/env python3
"""Check that a program's manual page lists every option of its --help.

usage: check_options.py PROGRAM PAGE
"""
import re
import subprocess
import sys


def main(program, page):
    help_text = subprocess.run([program, "--help"], capture_output=True, text=True, timeout=60).stdout
    options = set(re.findall(r"(?<![\w-])(--[a-z][a-z-]*|-o)\b", help_text))
    roff = open(page, encoding="utf-8").read().replace("\\-", "-")
    listed = set(re.findall(r"(--[a-z][a-z-]*|-o)\b", roff))
    missing = sorted(options - listed)
    if not options or missing:
        print(f"{page} lacks {missing or 'options: none found in --help'}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
