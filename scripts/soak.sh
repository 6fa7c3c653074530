#!/bin/sh
# The soak in full: installs what is missing, builds the soak test and what it starts, loads
# the simulated mouse into a fresh Wine session and holds the host under load for ten minutes
# (GEARHOST_SOAK_SECONDS changes that), then prints the figures. Every exit path removes the
# driver and stops the session.
# Usage: scripts/soak.sh [build-dir]
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$ROOT/build}
SECONDS_TO_RUN=${GEARHOST_SOAK_SECONDS:-600}
mkdir -p "$BUILD" && BUILD=$(cd "$BUILD" && pwd) # Wine wants absolute paths

driver_loaded=""
cleanup() {
    if [ -n "$driver_loaded" ]; then
        "$BUILD/wine-run.sh" "$BUILD/bin/kestrel-sim.exe" uninstall >/dev/null 2>&1 || true
    fi
    "$ROOT/scripts/wine-session.sh" stop "$BUILD"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

"$ROOT/scripts/setup.sh" "$BUILD"
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$BUILD" -j "$(nproc)" --target module_soak_tests

"$ROOT/scripts/wine-session.sh" start "$BUILD"
driver_loaded=yes
"$BUILD/wine-run.sh" "$BUILD/bin/kestrel-sim.exe" install
echo "soak: $SECONDS_TO_RUN s under load"
"$BUILD/wine-run.sh" "$BUILD/bin/module_soak_tests.exe" "--soak-seconds=$SECONDS_TO_RUN"
