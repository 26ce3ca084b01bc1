#!/bin/sh
# Prints the 64-bit Wine loader; Debian keeps it outside PATH.
for wine in wine64 /usr/lib/wine/wine64 /usr/lib/x86_64-linux-gnu/wine/wine64; do
    if command -v "$wine" >/dev/null 2>&1; then
        command -v "$wine"
        exit 0
    fi
done
echo "find-wine.sh: no 64-bit Wine loader (install wine64)" >&2
exit 1
