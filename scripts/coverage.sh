#!/bin/sh
# `make coverage`: the 64-bit test executables with the product counted by
# gcov, run under Wine, then line and branch coverage for each product file.
# The .gcda files are written by each Windows process as it exits; their
# names are the absolute Linux paths of the objects, which Wine opens through
# its Z: drive, so no path mapping is needed.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/coverage"
cd "$root"
cmake --preset coverage >/dev/null || exit 1
cmake --build --preset coverage || exit 1
find "$build" -name '*.gcda' -delete # counts from this run only
# The test executables only: the static checks look at the product's code,
# which counting changes.
scripts/with-display.sh ctest --test-dir "$build" -j1 -R '_tests$' --output-on-failure
status=$?
set -- --root "$root" --object-directory "$build" \
    --gcov-executable x86_64-w64-mingw32-gcov-posix \
    --filter "$root/(app|cores|gfx|math|ui|util)/" --exclude-unreachable-branches
gcovr "$@" --json "$build/coverage.json" || exit 1
echo "== lines"
gcovr --add-tracefile "$build/coverage.json" --root "$root"
echo "== branches"
gcovr --add-tracefile "$build/coverage.json" --root "$root" --branches
exit $status
