#!/bin/bash
# Starts the built tool under Wine and returns its exit code. With a desktop
# ($DISPLAY) the window simply appears; without one a virtual display is
# started and the tool's status line is shown here. Ctrl-C closes the window
# with WM_CLOSE. WIN32_RUNNER=<a 32-bit Wine> runs the 32-bit product instead.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" != "--session" ]; then
    # Take the terminal's Ctrl-C for the session alone, so that make is not
    # interrupted and hands on the tool's exit code.
    [ -t 0 ] && set -m
    if [ -n "${DISPLAY:-}" ]; then
        "$0" --session
    else
        "$root/scripts/with-display.sh" "$0" --session --watch
    fi
    exit $?
fi

build="$root/build/win64"
if [ -n "${WIN32_RUNNER:-}" ]; then
    build="$root/build/win32"
    export WINE="$WIN32_RUNNER" WINEPREFIX="$root/build/wineprefix32"
fi
wine="$root/scripts/wine-run.sh"

# Wine's processes get no terminal signals: the tool ends through WM_CLOSE.
setsid "$wine" "$build/app/vesko.exe" &
tool=$!
if [ "${2:-}" = "--watch" ]; then
    setsid "$wine" "$build/scripts/title_watcher.exe" &
fi
trap 'setsid "$wine" "$build/scripts/title_watcher.exe" --close' INT TERM

while kill -0 "$tool" 2>/dev/null; do
    wait "$tool"
done
wait "$tool"
code=$?
wait
exit "$code"
