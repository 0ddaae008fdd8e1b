#!/bin/sh
# Usage: on_display.sh PROGRAM.exe ARGS...
# Runs a Windows program under Wine on the display that display.sh started.
set -eu
dir="${VZ_DISPLAY_DIR:?}"
DISPLAY=$(cat "$dir/display")
WINEPREFIX="$dir/prefix"
export DISPLAY WINEPREFIX
exec wine "$@"
