#!/usr/bin/env python3
"""Reads the BMP files a test wrote with ImageMagick, a reader independent of
Windows, and compares size, colour count and the two corner pixels with the
test's expectation beside each file; "*" there matches anything.

usage: check_bmp_identify.py IDENTIFY FOLDER
"""
import glob
import subprocess
import sys

CORNER = " %[fx:round(255*p{X}.r)] %[fx:round(255*p{X}.g)] %[fx:round(255*p{X}.b)]"
FORMAT = "%w %h %k" + CORNER.replace("X", "0,0") + CORNER.replace("X", "w-1,h-1")


def main():
    identify, folder = sys.argv[1:3]
    expectations = sorted(glob.glob(folder + "/*.txt"))
    bad = 0 if expectations else 1
    for expectation in expectations:
        image = expectation[:-4] + ".bmp"
        run = subprocess.run([identify, "-format", FORMAT, image], capture_output=True, text=True)
        expected = open(expectation).read().split()
        got = run.stdout.split()
        ok = (run.returncode == 0 and not run.stderr and len(got) == len(expected) and
              all(e in ("*", g) for e, g in zip(expected, got)))
        print("%s %s: %s (expected %s) %s" % ("ok  " if ok else "FAIL", image, run.stdout,
                                             " ".join(expected), run.stderr.strip()))
        bad += not ok
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
