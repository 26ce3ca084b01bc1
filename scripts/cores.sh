#!/bin/bash
# Runs Vesko Cores under Wine with the options given and returns its exit
# code (0 PASS, 1 FAIL, 2 a bad command line, 3 NOT PROVEN). Without a
# desktop a virtual display is started; the companion prints its rows here
# either way. Ctrl-C closes its window (WM_CLOSE), which ends the run with the
# end rows and the verdict. The chart is written beside the log (unless --chart says where);
# at the end it says where both are.
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

# The log's name is chosen here, as the program would, so the chart can go beside it.
log="" chart="" previous="" resume=""
for argument in "$@"; do
    case "$previous" in
    --log | /log) log=$argument ;;
    --chart | /chart) chart=$argument ;;
    esac
    case "$argument" in --resume | /resume) resume=1 ;; esac
    previous=$argument
done
extra=()
if [ -z "$log" ] && [ -z "$resume" ]; then
    log="vesko-cores-$(date -u +%Y%m%d-%H%M%S).csv"
    extra+=(--log "$log")
fi
# A resumed run takes its options, the chart's among them, from its log.
[ -z "$chart" ] && [ -z "$resume" ] && extra+=(--chart "${log%.csv}.bmp")

output=$(mktemp)
trap 'rm -f "$output"' EXIT
setsid "$wine" "$build/app/vesko-cores.exe" "${extra[@]}" "$@" > >(tee "$output") &
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
# The files it names, as paths of this machine (Wine's Z: is /).
for kind in chart log; do
    file=$(sed -n "s/^$kind: \(.*\)\r\$/\1/p" "$output" | tail -n 1)
    file=${file% (*x*)}
    case "$file" in
    [Zz]:*) file=$(printf '%s' "${file#?:}" | tr '\\' '/') ;;
    esac
    [ -n "$file" ] && echo "make cores: the $kind is $file"
done
exit "$code"
