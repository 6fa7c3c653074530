#!/bin/sh
# Set-up to result: installs what is missing, builds, runs every test under Wine and prints
# the CTest summary. Usage: scripts/test.sh [build-dir]
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$ROOT/build}
mkdir -p "$BUILD" && BUILD=$(cd "$BUILD" && pwd) # Wine wants absolute paths
# Every exit path stops the prefix's Wine (the build runs a tool under it too): a Wine
# process left running would hold the caller's output pipe open.
trap '"$ROOT/scripts/wine-session.sh" stop "$BUILD"' EXIT
"$ROOT/scripts/setup.sh" "$BUILD"
"$ROOT/scripts/build.sh" "$BUILD"
cd "$BUILD"
ctest --output-on-failure -j 2
