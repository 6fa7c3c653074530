#!/bin/sh
# Set-up to result: installs what is missing, builds, and runs Gearhost.exe under Wine as a
# person meets it: in the prefix's "shell" desktop with its taskbar and notification area,
# the simulated Kestrel mouse installed and announced to it. Without a display it starts
# its own Xvfb and, a few seconds after the start, saves screenshots of the desktop (the
# icon in the notification area) and of the window opened from the icon.
# Ctrl+C stops everything: the driver service is removed, Wine and Xvfb end.
# Usage: scripts/run.sh [build-dir]
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$ROOT/build}
mkdir -p "$BUILD" && BUILD=$(cd "$BUILD" && pwd) # Wine wants absolute paths

export WINEPREFIX="$BUILD/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
XVFB_PID=""
DRIVER=""
cleanup() {
    trap - EXIT INT TERM
    if [ -n "$DRIVER" ]; then
        (cd "$BUILD/bin" && wine kestrel-sim.exe uninstall </dev/null >/dev/null 2>&1) || true
    fi
    wineserver -k >/dev/null 2>&1 || true
    [ -z "$XVFB_PID" ] || kill "$XVFB_PID" >/dev/null 2>&1 || true
}
trap cleanup EXIT
trap 'exit 130' INT TERM

"$ROOT/scripts/setup.sh" "$BUILD"
"$ROOT/scripts/build.sh" "$BUILD"

OWN_DISPLAY=""
if [ -z "${DISPLAY:-}" ]; then
    n=70
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    # The size of the prefix's desktop, so the taskbar lies along the screen's bottom.
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    i=0
    while [ $i -lt 50 ] && [ ! -e "/tmp/.X11-unix/X$n" ]; do sleep 0.1; i=$((i + 1)); done
    OWN_DISPLAY=1
    echo "run: no display, using Xvfb $DISPLAY"
fi

cd "$BUILD/bin"
# One wineserver for every step below; its output is not this script's.
setsid wineserver -p </dev/null >/dev/null 2>&1
DRIVER=1
wine kestrel-sim.exe install </dev/null >"$BUILD/run.log" 2>&1
# In the background, so that Ctrl+C reaches this script at once; the exit trap ends Wine.
wine Gearhost.exe </dev/null >>"$BUILD/run.log" 2>&1 &
HOST=$!
# The host window exists once the announcement finds it.
i=0
until wine kestrel-sim.exe arrive </dev/null >>"$BUILD/run.log" 2>&1; do
    i=$((i + 1))
    [ $i -lt 60 ] || { echo "run: Gearhost did not start (see $BUILD/run.log)" >&2; exit 1; }
    sleep 0.5
done
echo "run: Gearhost is running with the simulated Kestrel mouse; its icon is at the bottom right."
echo "run: click the mouse's buttons from another shell, for example:"
echo "       cd $BUILD/bin && WINEPREFIX=$WINEPREFIX DISPLAY=$DISPLAY wine kestrel-sim.exe click back"
echo "run: press Ctrl+C to stop it"

if [ -n "$OWN_DISPLAY" ]; then
    SHOTS="$BUILD/screenshots"
    mkdir -p "$SHOTS"
    sleep 3
    xwd -root -silent | convert xwd:- "$SHOTS/desktop.png"
    # The icon is the notification area's only one, at the right end of the taskbar.
    xdotool mousemove 1270 1013 click --repeat 2 --delay 80 1
    sleep 3
    xwd -root -silent | convert xwd:- "$SHOTS/window.png"
    echo "run: screenshots in $SHOTS (desktop.png: the icon; window.png: the opened window)"
fi
wait $HOST || true
