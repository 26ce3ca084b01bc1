#!/usr/bin/env python3
"""Vesko Cores survives a power cut: a cycle run over two cores whose whole Wine session is
ended at once (wineserver -k: every process at the same moment) during the second core's turn,
then --resume: it goes on at the next core and ends FAIL naming the stopped processor and its
core, with the first part's evidence of the other in the verdict. Waits count rows.

usage: power_cut_test.py ROOT BUILD_DIR
"""
import os
import shutil
import subprocess
import sys
import time

BUDGET = 400  # seconds for each wait: a few bursts of 13 s with Wine's start-up


def other_core():
    """The first processor on another core than processor 0's, or None."""
    def siblings(cpu):
        path = "/sys/devices/system/cpu/cpu%d/topology/thread_siblings_list" % cpu
        try:
            with open(path) as f:
                return f.read().strip()
        except OSError:
            return str(cpu)
    for cpu in range(1, os.cpu_count() or 1):
        if siblings(cpu) != siblings(0):
            return cpu
    return None


def rows(log):
    """The log's whole rows, split into fields (the detail, quoted or not, left as text)."""
    try:
        with open(log, "rb") as f:
            text = f.read().decode("latin-1")
    except OSError:
        return []
    lines = text.split("\r\n")[1:-1]  # the header; a last line still being written
    return [line.split(",") for line in lines]


def wait_for(log, done, what):
    start = time.time()
    while time.time() - start < BUDGET:
        if done(rows(log)):
            return
        time.sleep(0.5)
    print("\n".join(",".join(r) for r in rows(log)))
    sys.exit("time-out waiting for " + what)


def bursts(log_rows, processor):
    """A processor's counted bursts at its latest row that says them."""
    said = [int(r[-2]) for r in log_rows if r[2] == processor and r[-2].isdigit()]
    return said[-1] if said else 0


def main():
    root, build = sys.argv[1], sys.argv[2]
    cpu = other_core()
    if cpu is None:
        print("one core: nowhere to move")
        return 77
    env = dict(os.environ, WINEPREFIX=os.path.join(build, "wineprefix-power-cut"),
               WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
    wine = subprocess.run([os.path.join(root, "scripts/find-wine.sh")], capture_output=True,
                          text=True, check=True).stdout.strip()
    wineserver = os.path.join(os.path.dirname(os.path.realpath(shutil.which(wine) or wine)),
                              "wineserver")
    if not os.access(wineserver, os.X_OK):
        wineserver = "wineserver"
    env["WINESERVER"] = wineserver
    log = "/tmp/vesko-power-cut-%d.csv" % os.getpid()
    winlog = "Z:" + log.replace("/", "\\")
    cores = os.path.join(build, "app", "vesko-cores.exe")
    slow = "Z:" + os.path.join(build, "tests", "vesko-slow.exe").replace("/", "\\")
    other = str(cpu)

    def start(*arguments):
        return subprocess.Popen([wine, cores] + list(arguments), env=env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    try:
        first = start("--processors", "0," + other, "--cycle", "10", "--every", "1", "--tool",
                      slow, "--log", winlog)
        moved = lambda r: any(x[4] == "moved" and x[2] == other for x in r)
        wait_for(log, lambda r: moved(r) and bursts(r, other) >= 1,
                 "processor %s's own burst in its turn" % other)
        before = rows(log)
        subprocess.run([wineserver, "-k"], env=env)  # the power goes
        first.wait()
        if any(r[4] == "verdict" for r in rows(log)):
            sys.exit("the first part ended with a verdict before the power went")
        zero = bursts(before, "0")
        second = start("--resume", "--log", winlog)
        part = lambda r: r[max(i for i, x in enumerate(r) if x[4] == "resumed"):] \
            if any(x[4] == "resumed" for x in r) else []
        wait_for(log, lambda r: any(x[4] == "start" and x[2] == "0" for x in part(r)) and
                 bursts(part(r), "0") > zero, "processor 0's own burst after the resume")
        subprocess.run([wine, os.path.join(build, "scripts", "title_watcher.exe"), "--close",
                        "Vesko Cores"], env=env)
        code = second.wait(timeout=BUDGET)
        text = open(log, "rb").read().decode("latin-1")
        verdict = text.split("\r\n")[-2]
        print("\n".join(l for l in text.split("\r\n")
                        if ",resumed," in l or ",stopped," in l or ",end," in l or ",verdict," in l))
        expected = ["\"FAIL: 2 processors in turn for ", ", in 2 parts, 1 failed: processor %s (core "
                    % other, "stopped, the machine stopped while it was under the tool; last row at",
                    "; the others each at least "]
        missing = [e for e in expected if e not in verdict]
        least = int(verdict.split("the others each at least ")[1].split(" ")[0]) if not missing else 0
        if code != 1 or missing or least <= zero:
            sys.exit("exit code %d, missing %s, at least %d bursts (%d in the first part)"
                     % (code, missing, least, zero))
        return 0
    finally:
        subprocess.run([wineserver, "-k"], env=env)
        if os.path.exists(log):
            os.remove(log)


if __name__ == "__main__":
    sys.exit(main())
