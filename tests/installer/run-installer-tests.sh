#!/bin/sh
# Runs the installer tests in a fresh Wine prefix of their own, with its own display and
# wineserver, both ended on every way out. Output reaches the caller only through a file.
# Usage: run-installer-tests.sh source-dir build-dir test-program [gtest options]
set -eu
SOURCE=$1
BUILD=$2
PROGRAM=$3
shift 3
WORK="$BUILD/installer-test"

"$SOURCE/scripts/wine-session.sh" stop "$WORK" >/dev/null 2>&1 || true
rm -rf "$WORK"
trap '"$SOURCE/scripts/wine-session.sh" stop "$WORK" >/dev/null 2>&1 || true' EXIT
trap 'exit 130' INT TERM
"$SOURCE/scripts/wine-session.sh" start "$WORK" >/dev/null

export WINEPREFIX="$WORK/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
DISPLAY=$(cat "$WORK/wine-session/display")
export DISPLAY
status=0
wine "$PROGRAM" "$@" </dev/null >"$WORK/output.txt" 2>&1 || status=$?
cat "$WORK/output.txt"
exit $status
