#!/usr/bin/env python3
"""Checks that executables import only Windows system DLLs and msvcrt, so a
user never has to hunt for a runtime DLL.

usage: check_imports.py OBJDUMP EXECUTABLE...
"""
import re
import subprocess
import sys

ALLOWED = {"kernel32.dll", "user32.dll", "gdi32.dll", "comdlg32.dll", "msvcrt.dll",
           "advapi32.dll", "shell32.dll", "ole32.dll", "ntdll.dll"}


def main():
    objdump, executables = sys.argv[1], sys.argv[2:]
    bad = 0
    for exe in executables:
        out = subprocess.run([objdump, "-p", exe], check=True, capture_output=True,
                             text=True).stdout
        dlls = [d.lower() for d in re.findall(r"DLL Name: (\S+)", out)]
        extra = sorted(set(dlls) - ALLOWED)
        print("%s: %s" % (exe, " ".join(dlls)))
        if not dlls or extra:
            print("FAIL: %s imports %s" % (exe, " ".join(extra) or "nothing"))
            bad += 1
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
