#!/bin/sh
# Creates the Wine prefix of a build tree once: 64-bit, no Mono/Gecko prompts, Tahoma
# copied into its Fonts folder (GDI+ does not see Wine's bundled copy otherwise), and one
# virtual desktop for all windows: without a window manager, Wine otherwise waits up to two
# seconds on each top-level show, hide or minimise. The desktop is named "shell": only that
# name shows the taskbar with its notification area, and every process started with plain
# `wine` lands on it, so tools find the host's window.
# Usage: scripts/wine-prefix.sh build-dir
set -eu

BUILD=$1
mkdir -p "$BUILD" && BUILD=$(cd "$BUILD" && pwd)
export WINEPREFIX="$BUILD/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
export WINEARCH=win64
mkdir -p "$BUILD"

READY="$WINEPREFIX/.gearhost-prefix-v1"
if [ ! -f "$READY" ]; then
    echo "setup: creating Wine prefix in $WINEPREFIX"
    wineserver -k >/dev/null 2>&1 || true
    trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
    wine wineboot --init </dev/null >"$BUILD/wineboot.log" 2>&1
    wineserver -w
    trap - EXIT
    touch "$READY"
fi

SHELL_DESKTOP="$WINEPREFIX/.gearhost-desktop-shell"
if [ ! -f "$SHELL_DESKTOP" ]; then
    # A running session's persistent wineserver would make the wait below last for ever.
    wineserver -k >/dev/null 2>&1 || true
    trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f \
        </dev/null >>"$BUILD/wineboot.log" 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1280x1024 /f \
        </dev/null >>"$BUILD/wineboot.log" 2>&1
    wineserver -w
    trap - EXIT
    touch "$SHELL_DESKTOP"
fi

FONTS="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$FONTS"
for f in tahoma.ttf tahomabd.ttf; do
    [ -f "$FONTS/$f" ] || cp /usr/share/wine/fonts/$f "$FONTS/$f"
done
