#!/usr/bin/env python3
"""Checks the burn-in kernel inside a built executable, instruction by
instruction, from the MinGW objdump's disassembly.

usage: check_kernel.py OBJDUMP EXECUTABLE
"""
import re
import struct
import subprocess
import sys

REGS32 = {"eax", "ebx", "ecx", "edx", "esi", "edi", "ebp", "esp"}
SEED_OFFSETS = [0x0, 0x10, 0x20, 0x30, 0x4, 0x14, 0x24, 0x34]  # m[0], m[4], ... m[13]
ITERATIONS = 10000000

failures = []


def fail(message):
    failures.append(message)


def disassemble(objdump, exe):
    out = subprocess.run([objdump, "-d", "-M", "intel", "--insn-width=16", exe],
                         check=True, capture_output=True, text=True).stdout
    lines, symbol = [], None
    for line in out.splitlines():
        m = re.match(r"^([0-9a-f]+) <(.+)>:$", line)
        if m:
            symbol = m.group(2)
            continue
        m = re.match(r"^\s+([0-9a-f]+):\t([0-9a-f ]+)\t(.*)$", line)
        if m:
            text = re.sub(r"\s+", " ", m.group(3).split("#")[0]).strip()
            comment = m.group(3).split("#")[1].strip() if "#" in m.group(3) else ""
            lines.append((int(m.group(1), 16), m.group(2).split(), text, comment, symbol))
    return lines


def read_words(objdump, exe, address, count):
    out = subprocess.run([objdump, "-s", "--start-address=%#x" % address,
                          "--stop-address=%#x" % (address + 4 * count), exe],
                         check=True, capture_output=True, text=True).stdout
    data = b""
    for line in out.splitlines():
        m = re.match(r"^ ([0-9a-f]+) ((?:[0-9a-f]{2,8} ?){1,4})", line)
        if m:
            data += bytes.fromhex(m.group(2).replace(" ", ""))
    return data[:4 * count]


def is_filler(text):
    return ("nop" in text or text in ("xchg ax,ax", "data16")
            or re.fullmatch(r"lea (\w+),\[\1\+eiz\*1\+0x0\]", text) is not None)


def expect(insn, pattern, what):
    m = re.fullmatch(pattern, insn[2])
    if not m:
        fail("%#x: %s: expected /%s/, found '%s'" % (insn[0], what, pattern, insn[2]))
    return m


def check(objdump, exe):
    code = disassemble(objdump, exe)
    start = [i for i, c in enumerate(code) if c[4] in ("RunBurnKernel", "_RunBurnKernel")]
    if not start:
        # A stripped executable: the kernel is the FINIT that sets the counter next.
        start = [max(0, i - 8) for i, c in enumerate(code[:-1])
                 if c[2] == "finit" and code[i + 1][2].endswith(",0x989680")]
    if not start:
        fail("RunBurnKernel not found")
        return
    i = start[0]
    while i < len(code) and code[i][2] != "finit":
        i += 1
    if i >= len(code) or i - start[0] > 8:
        fail("no FINIT at the start of the kernel")
        return
    if code[i][1] != ["9b", "db", "e3"]:
        fail("FINIT encoded as %s" % code[i][1])
    prologue = code[start[0]:i]

    # Preamble: counter, index, eight single-precision loads in seed order.
    m = expect(code[i + 1], r"mov (e\w\w),0x989680", "N = 10,000,000")
    counter = m.group(1) if m else None
    m = expect(code[i + 2], r"mov (e\w\w),0xffffffff", "X = -1")
    index = m.group(1) if m else None
    for k, offset in enumerate(SEED_OFFSETS):
        insn = code[i + 3 + k]
        disp = r"\+%#x" % offset if offset else ""
        expect(insn, r"fld DWORD PTR \[[er]\w\w%s\]" % disp, "load seed %d" % k)
    i += 3 + len(SEED_OFFSETS)
    while i < len(code) and is_filler(code[i][2]):
        i += 1

    # The base register of the four memory operands, and where it points.
    base, constants = None, None
    for insn in prologue:
        m = re.fullmatch(r"mov (ebp|ebx|esi|edi|eax|ecx|edx),0x([0-9a-f]+)", insn[2])
        if m:
            base, constants = m.group(1), int(m.group(2), 16)
        m = re.fullmatch(r"lea (r\w\w),\[rip\+0x[0-9a-f]+\]", insn[2])
        if m:
            base, constants = m.group(1), int(insn[3].split()[0], 16)
    if base is None:
        fail("no register is loaded with the constants' address before FINIT")
        return

    loop = code[i:i + 23]
    top = loop[0][0]
    if top % 16:
        fail("loop starts at %#x, not on a 16-byte boundary" % top)
    B = re.escape(base)
    lea = r"lea (e\w\w),\[\1\+%s\*8\+0x40\]" % re.escape(index or "edi")
    roles = {}
    body = [
        (r"fadd st\(1\),st", None), (r"fmul DWORD PTR \[%s\+0x0\]" % B, None),
        (lea, "A"), (lea, "B"), (lea, "C"),
        (r"fadd st\(2\),st", None), (r"fmul st\(3\),st", None), (r"fxch st\(7\)", None),
        (r"and (e\w\w),DWORD PTR \[%s\+0xc\]" % B, "N"),
        (r"and (e\w\w),DWORD PTR \[%s\+0xc\]" % B, "X"),
        (r"and (e\w\w),DWORD PTR \[%s\+0xc\]" % B, "D"),
        (r"fadd st\(4\),st", None), (r"fmul st\(5\),st", None), (r"fxch st\(6\)", None),
        (lea, "A"), (lea, "B"), (lea, "C"),
        (r"fmul DWORD PTR \[%s\+0x4\]" % B, None), (r"fadd st\(1\),st", None),
        (r"fxch st\(4\)", None), (r"fmul DWORD PTR \[%s\+0x8\]" % B, None),
        (r"dec (e\w\w)", "N"), (r"jne (?:0x)?%x(?: <.*>)?" % top, None),
    ]
    for n, (insn, (pattern, role)) in enumerate(zip(loop, body), 1):
        m = expect(insn, pattern, "instruction %d" % n)
        if m and role:
            if roles.setdefault(role, m.group(1)) != m.group(1):
                fail("instruction %d: %s is %s, earlier %s" % (n, role, m.group(1), roles[role]))
    if roles.get("N") != counter or roles.get("X") != index:
        fail("loop counter/index %s/%s differ from preamble %s/%s"
             % (roles.get("N"), roles.get("X"), counter, index))
    names = [roles.get(r) for r in "ABCDNX"]
    base32 = "e" + base[1:]
    if len(set(names)) != 6 or not set(names) <= REGS32 or "esp" in names or base32 in names:
        fail("registers A, B, C, D, N, X must be six distinct 32-bit registers, "
             "not esp nor the base: %s (base %s)" % (names, base))

    epilogue = code[i + 23:i + 31]
    for insn in epilogue:
        if insn[1] != ["de", "e8"]:
            fail("%#x: epilogue pop is %s, not DE E8" % (insn[0], " ".join(insn[1])))
    if len(epilogue) != 8:
        fail("epilogue has %d pops" % len(epilogue))

    data = read_words(objdump, exe, constants, 4)
    if len(data) != 16:
        fail("constants at %#x not readable" % constants)
        return
    k777, k666, k333 = struct.unpack("<3f", data[:12])
    mask = struct.unpack("<I", data[12:])[0]
    if (k777, k666, k333, mask) != (777.0, 666.0, 333.0, 0xFFFFFFFF):
        fail("constants are %s %s %s %#x" % (k777, k666, k333, mask))
    print("kernel at %#x, loop at %#x, registers A B C D N X = %s, constants at %#x"
          % (code[start[0]][0], top, " ".join(names), constants))


def main():
    objdump, exe = sys.argv[1:3]
    check(objdump, exe)
    for message in failures:
        print("FAIL:", message)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
