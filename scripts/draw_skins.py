#!/usr/bin/env python3
"""Draws the skins that ship with Kestrum into resources/skins/ with
ImageMagick: for each skin 1.bmp (auto-save off: muted, hollow badge) and
2.bmp (on: bright, filled badge). A dark outline with a light inner edge
keeps every picture legible on light and on dark desktops."""
import pathlib
import subprocess

OUTLINE, EDGE = "#202020", "#ffffff"
SKINS = {
    # name: (width, height, body shape, colour off, colour on)
    "晴空": (44, 36, "roundrectangle 2,2 41,33 7,7", "#9aa7b4", "#4aa3ff"),
    "墨竹": (36, 44, "rectangle 2,2 33,41", "#8f9c8f", "#3fbf5f"),
    "朱砂": (42, 42, "roundrectangle 2,2 39,39 16,16", "#b49a9a", "#ff5a4a"),
}


def draw(path, width, height, shape, fill, on):
    mid = height // 2
    badge = ["-fill", EDGE if on else "none", "-stroke", OUTLINE, "-strokewidth", "2",
             "-draw", f"circle {width - 9},9 {width - 9},{3 if on else 4}"]
    lines = []
    for dy, end in ((-4, width - 16), (2, width - 16), (8, width - 22)):
        lines += ["-draw", f"line 7,{mid + dy} {end},{mid + dy}"]
    subprocess.run(["convert", "-size", f"{width}x{height}", f"xc:{OUTLINE}",
                    "-fill", fill, "-stroke", EDGE, "-strokewidth", "1", "-draw", shape,
                    "-stroke", OUTLINE, "-strokewidth", "2", *lines, *badge,
                    "-type", "TrueColor", "-strip", f"BMP3:{path}"], check=True)


root = pathlib.Path(__file__).resolve().parent.parent / "resources" / "skins"
for name, (width, height, shape, off, on) in SKINS.items():
    folder = root / name
    folder.mkdir(parents=True, exist_ok=True)
    draw(folder / "1.bmp", width, height, shape, off, False)
    draw(folder / "2.bmp", width, height, shape, on, True)
