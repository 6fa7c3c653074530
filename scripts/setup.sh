#!/bin/sh
# Installs every Debian package the build, the tests and the program need, then
# prepares the project-local Wine prefix. Safe to run again: it only adds what is missing.
# Usage: scripts/setup.sh [build-dir]
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$ROOT/build}
mkdir -p "$BUILD" && BUILD=$(cd "$BUILD" && pwd) # Wine wants absolute paths

PACKAGES="cmake make g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64 \
libboost-dev nlohmann-json3-dev googletest wine wine64 fonts-wine xvfb xauth x11-apps imagemagick procps clang-format xdotool nsis"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
if [ -n "$missing" ]; then
    echo "setup: installing$missing"
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

"$ROOT/scripts/wine-prefix.sh" "$BUILD"
