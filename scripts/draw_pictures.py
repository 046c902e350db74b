#!/usr/bin/env python3
"""Draws Kestrum's own pictures with ImageMagick: the skins that ship with
it into resources/skins/ (for each skin 1.bmp, auto-save off: muted, hollow
badge; 2.bmp, on: bright, filled badge; 1@2x.bmp and 2@2x.bmp the same at
twice the size, for HiDPI screens), the drop window's built-in pictures at
twice their size (resources/picture-off@2x.png, picture-on@2x.png, drawn
after the 1x ones) and the program's icon into resources/icons/ at every
size. A dark outline with a light edge keeps every
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


def scaled(shape, scale):
    """A draw primitive's coordinates at `scale`: "circle 3,4 5,6" -> "circle 6,8 10,12"."""
    kind, *points = shape.split()
    return " ".join([kind] + [",".join(str(int(v) * scale) for v in p.split(",")) for p in points])


def draw(path, width, height, shape, fill, on, scale=1):
    mid = height // 2
    badge = ["-fill", EDGE if on else "none", "-stroke", OUTLINE, "-strokewidth", str(2 * scale),
             "-draw", scaled(f"circle {width - 9},9 {width - 9},{3 if on else 4}", scale)]
    lines = []
    for dy, end in ((-4, width - 16), (2, width - 16), (8, width - 22)):
        lines += ["-draw", scaled(f"line 7,{mid + dy} {end},{mid + dy}", scale)]
    subprocess.run(["convert", "-size", f"{width * scale}x{height * scale}", f"xc:{OUTLINE}",
                    "-fill", fill, "-stroke", EDGE, "-strokewidth", str(scale),
                    "-draw", scaled(shape, scale),
                    "-stroke", OUTLINE, "-strokewidth", str(2 * scale), *lines, *badge,
                    "-type", "TrueColor", "-strip", f"BMP3:{path}"], check=True)


resources = pathlib.Path(__file__).resolve().parent.parent / "resources"
root = resources / "skins"
for name, (width, height, shape, off, on) in SKINS.items():
    folder = root / name
    folder.mkdir(parents=True, exist_ok=True)
    for scale, suffix in ((1, ""), (2, "@2x")):
        draw(folder / f"1{suffix}.bmp", width, height, shape, off, False, scale)
        draw(folder / f"2{suffix}.bmp", width, height, shape, on, True, scale)


# The drop window's built-in pictures at twice their 37 x 34: a note of three
# lines and, in the rightmost 10 pixels that switch auto-save, a lock on green
# (on) or red (off). Coordinates are the 1x picture's pixel edges, doubled.
def drop_picture(path, strip):
    navy, note = "#1D2B44", "#F2C14E"
    subprocess.run(["convert", "-size", "74x68", f"xc:{navy}",
                    "-fill", note, "-draw", "roundrectangle 4,6 51,61 9,9",
                    "-fill", navy, "-draw", "rectangle 12,18 43,23",
                    "-draw", "rectangle 12,30 43,35", "-draw", "rectangle 12,42 33,47",
                    "-fill", strip, "-draw", "rectangle 54,0 73,67",
                    "-fill", "white", "-draw", "rectangle 58,28 69,41",
                    "-fill", "none", "-stroke", "white", "-strokewidth", "2",
                    "-draw", "arc 59,19 68,28 180,360",
                    "-draw", "line 59,23 59,28", "-draw", "line 68,23 68,28",
                    "-strip", f"PNG24:{path}"], check=True)


drop_picture(resources / "picture-on@2x.png", "#2E9E4F")
drop_picture(resources / "picture-off@2x.png", "#9E3A2E")


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
