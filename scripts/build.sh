#!/bin/sh
# Configures (once) and builds the project into a build tree.
# Usage: scripts/build.sh [build-dir]
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$ROOT/build}
mkdir -p "$BUILD" && BUILD=$(cd "$BUILD" && pwd) # Wine wants absolute paths
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$BUILD" -j "$(nproc)"
