#!/usr/bin/env python3
"""Checks that vesko-check's planted fault is in its test-only wrong build alone: only that
path asks which processor it runs on (GetCurrentProcessorNumber), so the product must not
import it, and the wrong build must, or this check proves nothing.

usage: no_planted_fault.py OBJDUMP PRODUCT WRONG_BUILD
"""
import subprocess
import sys

MARK = "GetCurrentProcessorNumber"


def imports_mark(objdump, exe):
    out = subprocess.run([objdump, "-p", exe], check=True, capture_output=True, text=True).stdout
    return any(line.split()[-1:] == [MARK] for line in out.splitlines())


def main():
    objdump, product, wrong = sys.argv[1:4]
    bad = 0
    if imports_mark(objdump, product):
        print("FAIL: %s imports %s: the planted fault's path is in the product" % (product, MARK))
        bad += 1
    if not imports_mark(objdump, wrong):
        print("FAIL: %s does not import %s: no planted fault found" % (wrong, MARK))
        bad += 1
    print("%s: no planted fault; %s: planted" % (product, wrong))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
