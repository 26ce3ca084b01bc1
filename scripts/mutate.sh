#!/bin/sh
# Plants faults in product files one file at a time (../shared/mutate/mutate)
# and runs the tests of each file's folder; the end-to-end tests only for a
# fault the fast tests let through. Prints each file's tally at the end.
#   scripts/mutate.sh [--seed N] [--max N] [--unit] FILE|FOLDER...
# (--unit: without the end-to-end tests, which want an otherwise idle machine:
# on a busy one their waits run out and a fault counts as caught when it is not)
#   scripts/mutate.sh $(git diff --name-only origin/main -- '*.cpp')
# E2E_FILTER=PATTERN runs only the end-to-end tests that reach the files given.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
mutate=${MUTATE:-$root/../shared/mutate/mutate}
seed=21
max=10
unit=""
while [ $# -gt 0 ]; do
    case $1 in
    --seed) seed=$2; shift 2 ;;
    --max) max=$2; shift 2 ;;
    --unit) unit=--unit; shift ;;
    *) break ;;
    esac
done
[ $# -gt 0 ] || { sed -n '2,8p' "$0"; exit 2; }

cd "$root"
files=""
for arg in "$@"; do
    if [ -d "$arg" ]; then
        files="$files $(ls "$arg"/*.cpp)"
    else
        files="$files $arg"
    fi
done

# One display and one Wine server for all the runs: each start costs seconds.
if [ -z "${MUTATE_DISPLAY:-}" ]; then
    MUTATE_DISPLAY=1 exec scripts/with-display.sh "$0" --seed "$seed" --max "$max" $unit $files
fi
"$WINESERVER" -p </dev/null >/dev/null 2>&1 # set by with-display.sh
log=build/mutate/seed$seed.log
mkdir -p build/mutate
: >"$log"
# Output to a file: Wine's helper processes keep a pipe open for good.
tests() {
    for exe in "$@"; do
        printf '%s' "scripts/wine-run.sh build/win64/tests/$exe >build/mutate/test.out 2>&1 && "
    done
    echo true
}
for file in $files; do
    case $file in
    tests/*) continue ;;
    app/*) targets="worker_tests app_tests"
        test=$(tests worker_tests.exe app_tests.exe)
        then="" ;;
    cores/*) targets="cores_tests cores_e2e_tests"
        test=$(tests cores_tests.exe)
        then=$(tests "cores_e2e_tests.exe --gtest_fail_fast --gtest_filter=${E2E_FILTER:-*}")
        [ -z "$unit" ] || targets=cores_tests then="" ;;
    util/*) targets=util_tests
        # The dialogs' tests take 20 s; only the dialogs need them.
        test=$(tests "util_tests.exe '--gtest_filter=-FileDialogs.*'")
        [ "$file" != util/file_dialogs.cpp ] || test=$(tests util_tests.exe)
        then="" ;;
    check/*) targets="check_tests check_e2e_tests"
        test=$(tests check_tests.exe)
        then=$(tests "check_e2e_tests.exe --gtest_fail_fast")
        [ -z "$unit" ] || targets=check_tests then="" ;;
    math/* | gfx/* | ui/* | chart/*)
        targets="${file%%/*}_tests"
        test=$(tests "${file%%/*}_tests.exe")
        then="" ;;
    *) echo "mutate.sh: no tests known for $file" >&2; exit 2 ;;
    esac
    echo "== $file" | tee -a "$log"
    "$mutate" --seed "$seed" --max "$max" \
        --build "cmake --build build/win64 --target $targets" \
        --test "$test" ${then:+--then "$then"} "$file" 2>&1 | tee -a "$log"
done
echo "mutate.sh: the tallies, also in $log"
awk '/^== /{f=$2} /^mutate: [0-9]+ of/{print f ": " $2 " of " $4 " caught"}' "$log"
