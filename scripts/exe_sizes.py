#!/usr/bin/env python3
"""Prints the size of both builds' executables, whole and without their
resource section (the picture alone is 192 KiB)."""
import os
import re
import subprocess
import sys

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
print("%-36s %10s %10s" % ("executable size, KiB", "whole", "no .rsrc"))
for build, objdump in (("win32", "i686-w64-mingw32-objdump"), ("win64", "x86_64-w64-mingw32-objdump")):
    exe = os.path.join(root, "build", build, "app", "vesko.exe")
    if not os.path.exists(exe):
        print("  %-34s not built" % build)
        continue
    headers = subprocess.run([objdump, "-h", exe], capture_output=True, text=True).stdout
    rsrc = sum(int(m.group(1), 16) for m in re.finditer(r"\.rsrc\s+([0-9a-f]+)", headers))
    rsrc = (rsrc + 511) // 512 * 512  # as stored in the file
    whole = os.path.getsize(exe)
    target = "   (target <= 48)" if build == "win32" else ""
    print("  %-34s %10.1f %10.1f%s" % (build + " vesko.exe", whole / 1024, (whole - rsrc) / 1024, target))
sys.exit(0)
