#!/bin/sh
# Runs every benchmark of the 64-bit build under Wine and prints its table.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
for bench in "$root"/build/win64/bench/bench_*.exe; do
    echo "== $(basename "$bench" .exe)"
    "$root/scripts/wine-run.sh" "$bench"
done
echo "== sizes"
python3 "$root/scripts/exe_sizes.py"
