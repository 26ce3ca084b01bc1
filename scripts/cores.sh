#!/bin/bash
# Runs Vesko Cores under Wine with the options given and returns its exit
# code (0 PASS, 1 FAIL, 2 a bad command line). Without a desktop a virtual
# display is started; the companion prints its rows here either way. Ctrl-C
# closes its window (WM_CLOSE), which ends the run with the end rows and the
# verdict. At the end it says where the log is.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" != "--session" ]; then
    [ -t 0 ] && set -m # Ctrl-C for the session alone, as in run.sh
    if [ -n "${DISPLAY:-}" ]; then
        "$0" --session "$@"
    else
        "$root/scripts/with-display.sh" "$0" --session --headless "$@"
    fi
    exit $?
fi
shift
headless=""
[ "${1:-}" = "--headless" ] && headless=1 && shift

build="$root/build/win64"
if [ -n "${WIN32_RUNNER:-}" ]; then
    build="$root/build/win32"
    export WINE="$WIN32_RUNNER" WINEPREFIX="$root/build/wineprefix32"
fi
wine="$root/scripts/wine-run.sh"
close() { setsid "$wine" "$build/scripts/title_watcher.exe" --close "Vesko Cores"; }

output=$(mktemp)
trap 'rm -f "$output"' EXIT
setsid "$wine" "$build/app/vesko-cores.exe" "$@" > >(tee "$output") &
companion=$!
trap close INT TERM
if [ -n "$headless" ]; then
    # No one can see a message box here: it was printed, so dismiss it.
    while kill -0 "$companion" 2>/dev/null; do
        grep -q '^Usage: vesko-cores' "$output" && { sleep 1; close; break; }
        sleep 0.5
    done &
fi

while kill -0 "$companion" 2>/dev/null; do
    wait "$companion"
done
wait "$companion"
code=$?
log=$(sed -n 's/^log: \(.*\)\r$/\1/p' "$output" | tail -n 1)
if [ -n "$log" ]; then
    case "$log" in
    [Zz]:*) log=$(printf '%s' "${log#?:}" | tr '\\' '/') ;;
    esac
    echo "make cores: the log is $log"
fi
exit "$code"
