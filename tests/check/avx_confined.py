#!/usr/bin/env python3
"""Checks that an executable runs AVX instructions only in the check workload's AVX2 path
(functions named *Avx2*), so that the rest, the 32-bit product's included, runs on a
processor with SSE2 alone; an inline function built in the AVX2 file and kept by the
linker for everyone is the fault this finds. Also that no 32-byte move there needs an
aligned address: Windows gives threads only a 16-byte-aligned stack.

usage: avx_confined.py OBJDUMP EXECUTABLE...
"""
import re
import subprocess
import sys

AVX = re.compile(r"^v\w+ .*\b[xyz]mm\d|^vzero")


def main():
    objdump, executables = sys.argv[1], sys.argv[2:]
    bad = 0
    for exe in executables:
        out = subprocess.run([objdump, "-d", "--no-show-raw-insn", "-M", "intel", exe],
                             check=True, capture_output=True, text=True).stdout
        symbol, found = None, 0
        for line in out.splitlines():
            m = re.match(r"^[0-9a-f]+ <(.+)>:$", line)
            if m:
                symbol = m.group(1)
                continue
            m = re.match(r"^\s+([0-9a-f]+):\t(.*)$", line)
            if not m or not AVX.search(m.group(2)):
                continue
            text = re.sub(r"\s+", " ", m.group(2)).strip()
            if "Avx2" not in (symbol or ""):
                print("FAIL: %s: AVX outside the AVX2 path, in %s: %s" % (exe, symbol, text))
                bad += 1
            elif re.match(r"^vmov(ap[sd]|dqa)", text) and "ymm" in text and "[" in text:
                print("FAIL: %s: an aligned 32-byte move in %s: %s" % (exe, symbol, text))
                bad += 1
            found += 1
        print("%s: %d AVX instructions, all in the AVX2 path" % (exe, found))
        if not found:
            print("FAIL: %s: no AVX2 path found" % exe)
            bad += 1
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
