#!/bin/sh
# Set-up to result: installs what is missing, builds, runs every test under Wine and prints
# the CTest summary. Usage: scripts/test.sh [build-dir]
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$ROOT/build}
mkdir -p "$BUILD" && BUILD=$(cd "$BUILD" && pwd) # Wine wants absolute paths
"$ROOT/scripts/setup.sh" "$BUILD"
"$ROOT/scripts/build.sh" "$BUILD"
trap '"$ROOT/scripts/wine-session.sh" stop "$BUILD"' EXIT
cd "$BUILD"
ctest --output-on-failure -j 2
