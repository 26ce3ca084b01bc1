#!/bin/sh
# Runs a Windows executable under Wine: $WINE if set (a 32-bit runner, say),
# else the 64-bit loader, in the project's private prefix unless one is set.
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec ${WINE:-$("$root/scripts/find-wine.sh")} "$@"
