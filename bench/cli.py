#!/usr/bin/python3
"""kestrum-text against the system's own tools on the same inputs.

Makes 10 MB and 100 MB of GB2312 text (Chinese paragraphs with ASCII words,
CR LF, some lines longer than a reflow line), then times in one run, each
the median of RUNS (default 7) with its range and the peak memory:
gb2big5 against `iconv -f GB2312 -t BIG5 -c` and merge against `cat`, from
a file and from a pipe, and reflow of 10 and 100 MB.

Usage: bench/cli.py [KESTRUM_TEXT] [RUNS]
"""
import os
import random
import statistics
import subprocess
import sys
import time

TOOL = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/src/tools/kestrum-text")
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 7
WORK = "/tmp/kestrum-cli-bench"


def gb2312_block(size):
    """About `size` bytes of paragraphs, repeatable from a fixed seed."""
    rng = random.Random(7)
    words = ["Kestrum", "text", "drop", "file", "2026", "OK", "Linux"]
    out = bytearray()
    while len(out) < size:
        out += "\u3000\u3000".encode("gb2312")  # a paragraph's first line
        for _ in range(rng.randint(1, 6)):
            line = bytearray()
            for _ in range(rng.randint(5, 90)):
                if rng.random() < 0.1:
                    line += (rng.choice(words) + " ").encode()
                else:
                    line += bytes([rng.randint(0xB0, 0xD7), rng.randint(0xA1, 0xFE)])
            out += line + "\uff0c".encode("gb2312") + b"\r\n"
        out += b"\r\n"
    return bytes(out)


def make_inputs():
    os.makedirs(WORK, exist_ok=True)
    block = gb2312_block(1 << 20)
    paths = {}
    for megabytes in (10, 100):
        path = f"{WORK}/input-{megabytes}mb.txt"
        if not os.path.exists(path) or os.path.getsize(path) != megabytes * len(block):
            with open(path, "wb") as f:
                for _ in range(megabytes):
                    f.write(block)
        paths[megabytes] = path
    return paths


def run_once(command):
    """Wall seconds and peak resident MiB of a shell command; GNU time reads
    the peak, so that of this Python process is not counted."""
    peak_file = f"{WORK}/peak"
    start = time.perf_counter()
    status = subprocess.call(["/usr/bin/time", "-f", "%M", "-o", peak_file, "bash", "-c", command])
    took = time.perf_counter() - start
    if status != 0:
        sys.exit(f"failed ({status}): {command}")
    with open(peak_file) as f:
        return took, int(f.read().split()[-1]) / 1024


def measure(command):
    run_once(command)  # warm the cache
    runs = [run_once(command) for _ in range(RUNS)]
    times = sorted(t for t, _ in runs)
    return statistics.median(times), times[0], times[-1], max(m for _, m in runs)


def show(name, figures, against=None):
    median, low, high, peak = figures
    line = f"{name:34} {median * 1000:7.0f} ms ({low * 1000:.0f}-{high * 1000:.0f})  peak {peak:5.1f} MiB"
    if against:
        line += f"  = {median / against[0]:.2f} x"
    print(line, flush=True)


def main():
    inputs = make_inputs()
    big, small = inputs[100], inputs[10]
    out = f"{WORK}/out.txt"
    iconv = "iconv -f GB2312 -t BIG5 -c"
    print(f"median (min-max) of {RUNS} runs, output to a file; x = against the line above")
    for how in ("file", "pipe"):
        feed = f"< {big}" if how == "file" else f"< <(cat {big})"
        baseline = measure(f"{iconv} {feed} > {out}")
        show(f"iconv, 100 MB from a {how}", baseline)
        show(f"kestrum-text gb2big5, from a {how}", measure(f"{TOOL} gb2big5 {feed} > {out}"), baseline)
    for how, source in (("file", big), ("pipe", "/dev/stdin")):
        feed = "" if how == "file" else f"< <(cat {big})"
        baseline = measure(f"cat {source} {feed} > {out}")
        show(f"cat, 100 MB from a {how}", baseline)
        show(f"kestrum-text merge, from a {how}", measure(f"{TOOL} merge {source} {feed} > {out}"), baseline)
    ten = measure(f"{TOOL} reflow --chars 32 {small} > {out}")
    show("kestrum-text reflow, 10 MB", ten)
    show("kestrum-text reflow, 100 MB", measure(f"{TOOL} reflow --chars 32 {big} > {out}"), ten)
    show("kestrum-text reflow, 100 MB pipe", measure(f"{TOOL} reflow --chars 32 < <(cat {big}) > {out}"), ten)
    os.remove(out)


if __name__ == "__main__":
    main()
