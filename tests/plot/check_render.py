#!/usr/bin/python3
"""Render the fixture's pictures with headless Chromium and check pixels.

usage: check_render.py DIR

DIR holds map.svg, page.html and probes.txt from render_fixture.  The map is
screenshot at its own size; every probe (kind, lon, lat, colour) is placed
through the map frame found in the SVG and must show its colour.  The page
is screenshot at desktop and phone widths: the pictures' colours must be
there, and on the phone the map must be scaled down whole.  Exits 77 (skip)
when Chromium is not installed.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

from PIL import Image, ImageChops, ImageFilter

SVG = "{http://www.w3.org/2000/svg}"
SCALE = 2  # device pixels per CSS pixel, so that thin lines fill whole pixels
TOLERANCE = 8  # per channel


def screenshot(chromium: str, url: str, width: int, height: int, png: str) -> Image.Image:
    with tempfile.TemporaryDirectory() as profile:
        subprocess.run([chromium, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                        "--disable-background-networking", "--disable-component-update", "--disable-sync",
                        "--hide-scrollbars", f"--user-data-dir={profile}", f"--force-device-scale-factor={SCALE}",
                        f"--screenshot={png}", f"--window-size={width},{height}", url],
                       check=True, timeout=120, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return Image.open(png).convert("RGB")


def rgb(colour: str) -> tuple[int, int, int]:
    return tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))


def near(a, b) -> bool:
    return all(abs(x - y) <= TOLERANCE for x, y in zip(a, b))


def check_map(chromium: str, directory: str) -> int:
    root = ET.parse(os.path.join(directory, "map.svg")).getroot()
    _, _, vw, vh = (float(v) for v in root.get("viewBox").split())
    frame = next(e for e in root.iter(f"{SVG}rect") if e.get("id") == "talik-map-frame")
    fx, fy, fw, fh = (float(frame.get(k)) for k in ("x", "y", "width", "height"))
    image = screenshot(chromium, "file://" + os.path.join(directory, "map.svg"), int(vw), int(vh),
                       os.path.join(directory, "map.png"))
    scale = min(image.width / vw, image.height / vh)
    failures = 0
    with open(os.path.join(directory, "probes.txt"), encoding="ascii") as probes:
        for line in probes:
            kind, lon, lat, colour = line.split()
            x = scale * (fx + (float(lon) + 180.0) / 360.0 * fw)
            y = scale * (fy + (90.0 - float(lat)) / 180.0 * fh)
            got = image.getpixel((round(x), round(y)))
            ok = near(got, rgb(colour))
            failures += not ok
            print(f"{'ok  ' if ok else 'FAIL'} {kind} at {lon},{lat}: pixel ({x:.0f},{y:.0f}) is {got}, want {colour}")
    return failures


def colour_box(image: Image.Image, colour: str):
    """Bounding box of the pixels showing the colour."""
    masks = [band.point(lambda v, w=w: 255 if abs(v - w) <= TOLERANCE else 0)
             for band, w in zip(image.split(), rgb(colour))]
    mask = ImageChops.multiply(ImageChops.multiply(masks[0], masks[1]), masks[2])
    # Erosion drops the odd anti-aliased pixel of another colour that comes close.
    return mask.filter(ImageFilter.MinFilter(5)).getbbox() or (0, 0, 0, 0)


def check_page(chromium: str, directory: str) -> int:
    colours = {kind: colour for kind, _, _, colour in
               (line.split() for line in open(os.path.join(directory, "probes.txt"), encoding="ascii"))}
    url = "file://" + os.path.join(directory, "page.html")
    failures = 0
    for name, width, height in (("desktop", 1280, 1800), ("phone", 412, 1800)):
        image = screenshot(chromium, url, width, height, os.path.join(directory, f"page-{name}.png"))
        histogram = image.getcolors(image.width * image.height)
        least = 40 if name == "desktop" else 20  # a site's marker on a phone is some 5 by 5 pixels
        for kind, colour in colours.items():
            count = sum(n for n, c in histogram if near(c, rgb(colour)))
            failures += count < least
            print(f"{'ok  ' if count >= least else 'FAIL'} page ({name}): {count} pixels of {kind} {colour}")
        # The map (2:1) is scaled to the width: its sea ends inside the window
        # and stands at most half the window's width high.
        x0, y0, x1, y1 = colour_box(image, colours["sea"])
        ok = x1 < image.width - 1 and 0 < y1 - y0 <= image.width / 2
        failures += not ok
        print(f"{'ok  ' if ok else 'FAIL'} page ({name}): sea spans x {x0}..{x1}, y {y0}..{y1} of {image.width} wide")
    return failures


def main(argv: list[str]) -> int:
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    chromium = shutil.which("chromium") or shutil.which("chromium-browser")
    if not chromium:
        print("chromium is not installed (scripts/setup.sh --test installs it): skipped")
        return 77
    directory = os.path.abspath(argv[1])
    failures = check_map(chromium, directory) + check_page(chromium, directory)
    print(f"{failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
