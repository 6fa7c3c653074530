#!/bin/sh
# Persistent Wine session for a test run: one Xvfb display and one wineserver for the
# build tree's prefix, so each test program starts warm. Every background process gets
# /dev/null as its output: one holding the caller's pipe would keep CTest waiting.
# Usage: scripts/wine-session.sh start|stop build-dir
set -eu

ACTION=$1
BUILD=$2
mkdir -p "$BUILD" && BUILD=$(cd "$BUILD" && pwd)
SESSION="$BUILD/wine-session"
export WINEPREFIX="$BUILD/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

stop_session() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -f "$SESSION/xvfb.pid" ]; then
        kill "$(cat "$SESSION/xvfb.pid")" >/dev/null 2>&1 || true
    fi
    rm -rf "$SESSION"
}

case "$ACTION" in
start)
    stop_session
    "$(dirname "$0")/wine-prefix.sh" "$BUILD" >/dev/null
    mkdir -p "$SESSION"
    display=""
    n=90
    while [ $n -lt 190 ]; do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
            echo $! >"$SESSION/xvfb.pid"
            i=0
            while [ $i -lt 50 ] && [ ! -e "/tmp/.X11-unix/X$n" ]; do sleep 0.1; i=$((i + 1)); done
            if [ -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
        fi
        n=$((n + 1))
    done
    [ -n "$display" ] || { echo "wine-session: no free X display" >&2; exit 1; }
    echo "$display" >"$SESSION/display"
    export DISPLAY="$display"
    setsid wineserver -p </dev/null >/dev/null 2>&1
    # Starts the prefix's services and desktop now, outside any test's output pipe.
    setsid wine cmd /c exit </dev/null >/dev/null 2>&1 || true
    echo "wine-session: display $display, persistent wineserver for $WINEPREFIX"
    ;;
stop)
    stop_session
    ;;
*)
    echo "usage: $0 start|stop build-dir" >&2
    exit 2
    ;;
esac
