#!/bin/sh
# Set-up to result: installs what is missing, builds, and runs Gearhost.exe under Wine in a
# virtual desktop with a notification area. Without a display it starts its own Xvfb.
# Stop it with Ctrl+C (or by closing the program).
# Usage: scripts/run.sh [build-dir]
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$ROOT/build}
mkdir -p "$BUILD" && BUILD=$(cd "$BUILD" && pwd) # Wine wants absolute paths

export WINEPREFIX="$BUILD/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
XVFB_PID=""
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -z "$XVFB_PID" ] || kill "$XVFB_PID" >/dev/null 2>&1 || true
}
trap cleanup EXIT
trap 'exit 130' INT TERM

"$ROOT/scripts/setup.sh" "$BUILD"
"$ROOT/scripts/build.sh" "$BUILD"

if [ -z "${DISPLAY:-}" ]; then
    n=70
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    sleep 1
    echo "run: no display, using Xvfb $DISPLAY (screenshot: DISPLAY=$DISPLAY xwd -root | convert xwd:- shot.png)"
fi

echo "run: Gearhost is running; press Ctrl+C to stop it"
cd "$BUILD/bin"
# In the background, so that Ctrl+C reaches this script at once; the exit trap ends Wine.
wine explorer /desktop=Gearhost,1280x800 Gearhost.exe </dev/null >"$BUILD/run.log" 2>&1 &
wait $! || true
