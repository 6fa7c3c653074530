#!/bin/sh
# Runs the whole suite N times, each on a fresh Wine prefix, while another process keeps one
# core busy: a test that passes only by chance shows up here. Prints each run's result and the
# count of green runs; exits non-zero unless every run passed.
# Usage: scripts/test-repeat.sh N [build-dir]
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
RUNS=${1:-10}
BUILD=${2:-$ROOT/build}
mkdir -p "$BUILD" && BUILD=$(cd "$BUILD" && pwd) # Wine wants absolute paths

BUSY=""
cleanup() {
    [ -z "$BUSY" ] || kill "$BUSY" >/dev/null 2>&1 || true
    "$ROOT/scripts/wine-session.sh" stop "$BUILD" >/dev/null 2>&1 || true
}
trap cleanup EXIT
trap 'exit 130' INT TERM

"$ROOT/scripts/setup.sh" "$BUILD"
"$ROOT/scripts/build.sh" "$BUILD"

# One core busy for the whole series.
sh -c 'while :; do :; done' </dev/null >/dev/null 2>&1 &
BUSY=$!

passed=0
i=1
while [ "$i" -le "$RUNS" ]; do
    "$ROOT/scripts/wine-session.sh" stop "$BUILD" >/dev/null 2>&1 || true
    rm -rf "$BUILD/wineprefix"
    log="$BUILD/test-repeat-$i.log"
    if (cd "$BUILD" && ctest --output-on-failure -j 2) >"$log" 2>&1; then
        passed=$((passed + 1))
        echo "run $i: passed ($(grep -o 'Total Test time.*' "$log"))"
    else
        echo "run $i: FAILED, see $log:"
        grep -E '^\s+[0-9]+ - ' "$log" || true
    fi
    i=$((i + 1))
done
echo "test-repeat: $passed of $RUNS runs passed"
[ "$passed" -eq "$RUNS" ]
