#!/usr/bin/python3
# Whole-process timings of orvel-convert: wall time and peak memory of real runs, median of several.
# Separate from orvel-bench because process start (loading Qt, the platform) is what it measures.
"""Usage: bench/convert_process.py [CONVERTER] [--runs N]

Measures, each as the median of N runs (default 11; the batch 5):
  one hi-res picture to PNG, one double hi-res picture to PNG, the thumbnail a file manager asks
  for (256 dots, as the installed thumbnailer runs it), one 40-column text screen to PNG,
  and a batch of 1000 double hi-res pictures to PNG into a directory (time per picture).
Inputs are seeded random pictures made in a temporary directory; nothing else is touched.
"""
import os
import random
import statistics
import subprocess
import sys
import tempfile
import time

BANK = 8192
BATCH = 1000


def run_once(command):
    """Wall seconds and peak resident set size (MB) of one run of command."""
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - start
    errors = process.stderr.read().decode(errors="replace")
    process.stderr.close()
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{' '.join(command)} failed: {errors}")
    return wall, usage.ru_maxrss / 1024.0


def measure(label, command, runs, per=1):
    runs_done = [run_once(command) for _ in range(runs)]
    wall = statistics.median(w for w, _ in runs_done) / per
    peak = statistics.median(m for _, m in runs_done)
    unit = "ms per picture" if per > 1 else "ms"
    print(f"{label:<44} {wall * 1000:8.2f} {unit:<15} {peak:6.1f} MB peak")


def main():
    args = sys.argv[1:]
    runs = 11
    if "--runs" in args:
        at = args.index("--runs")
        runs = int(args[at + 1])
        del args[at:at + 2]
    converter = args[0] if args else "build/source/convert/orvel-convert"
    rng = random.Random(20240611)
    with tempfile.TemporaryDirectory() as work:
        def write(name, data):
            path = os.path.join(work, name)
            with open(path, "wb") as f:
                f.write(data)
            return path

        hgr = write("one.hgr", rng.randbytes(BANK))
        dhgr = write("one.dhgr", rng.randbytes(2 * BANK))
        text = write("screen.txt", b"HELLO, APPLE II\n\nA TEXT SCREEN\n" * 6)
        batch = [write(f"p{i:04}.dhgr", rng.randbytes(2 * BANK)) for i in range(BATCH)]
        out = os.path.join(work, "out")
        os.mkdir(out)
        png = os.path.join(out, "one.png")
        run_once([converter, "-o", png, dhgr])  # warm the page cache
        measure("hi-res picture to PNG", [converter, "-o", png, hgr], runs)
        measure("double hi-res picture to PNG", [converter, "-o", png, dhgr], runs)
        measure("double hi-res thumbnail (--size 256)",
                [converter, "--size", "256", "--format", "png", "-o", png, dhgr], runs)
        measure("40-column text screen to PNG", [converter, "-o", png, text], runs)
        measure(f"batch of {BATCH} double hi-res pictures to PNG",
                [converter, "-o", out] + batch, max(3, runs // 2), per=BATCH)


if __name__ == "__main__":
    main()
