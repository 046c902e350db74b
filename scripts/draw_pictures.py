#!/usr/bin/env python3
"""Draws Kestrum's own pictures with ImageMagick: the skins that ship with
it into resources/skins/ (for each skin 1.bmp, auto-save off: muted, hollow
badge; 2.bmp, on: bright, filled badge) and the program's icon into
resources/icons/ at every size. A dark outline with a light edge keeps every
picture legible on light and on dark desktops."""
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


# The icon: a note with lines and the green lock strip of the drop picture.
# Small sizes get fewer, thicker lines so they stay sharp.
def icon(path, size):
    lines = [(84, 164), (128, 164), (172, 128)] if size >= 48 else [(96, 164), (160, 140)]
    width = 16 if size >= 48 else 30
    strokes = []
    for y, end in lines:
        strokes += ["-draw", f"line 52,{y} {end},{y}"]
    subprocess.run(["convert", "-size", "256x256", "xc:none",
                    "-fill", "#d8d8d8", "-draw", "roundrectangle 2,18 254,238 40,40",
                    "-fill", "#2b2b2b", "-draw", "roundrectangle 8,24 248,232 36,36",
                    "-fill", "#f5c542", "-draw", "roundrectangle 20,36 196,220 28,28",
                    "-fill", "#3a9d4a", "-draw", "roundrectangle 196,36 236,220 14,14",
                    "-stroke", "#2b2b2b", "-strokewidth", str(width), *strokes,
                    "-stroke", "none", "-fill", "white", "-draw", "roundrectangle 204,110 228,146 4,4",
                    "-fill", "none", "-stroke", "white", "-strokewidth", "6",
                    "-draw", "arc 206,88 226,118 180,360",
                    "-resize", f"{size}x{size}", "-strip", f"PNG32:{path}"], check=True)


icons = pathlib.Path(__file__).resolve().parent.parent / "resources" / "icons"
for size in (16, 32, 48, 64, 128, 256):
    icon(icons / f"kestrum-{size}.png", size)
