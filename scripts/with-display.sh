#!/bin/sh
# Runs a command with one virtual X display and the project's Wine prefix,
# both kept for the whole command: every test executable shares them.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
wine=${WINE:-$("$root/scripts/find-wine.sh")}
wineserver="$(dirname "$(command -v "$wine")")/wineserver"
[ -x "$wineserver" ] || wineserver=wineserver
export WINESERVER="$wineserver" # the command's Wine finds the same server

displayfile=$(mktemp)
setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" 2>/dev/null &
xvfb=$!
cleanup() {
    "$wineserver" -k 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    rm -f "$displayfile"
}
trap cleanup EXIT
trap 'exit 143' TERM
trap : INT # the command decides what Ctrl-C means; clean up after it
for _ in $(seq 100); do
    [ -s "$displayfile" ] && break
    sleep 0.1
done
[ -s "$displayfile" ] || { echo "with-display.sh: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$displayfile")"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$wine" wineboot -i >/dev/null 2>&1 || true
    "$wineserver" -w
fi
"$@"
