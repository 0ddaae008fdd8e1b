#!/bin/sh
# Usage: on_display.sh [DIR] PROGRAM.exe ARGS...
# Runs a Windows program under Wine on the display that display.sh started
# in DIR (by default the folder VZ_DISPLAY_DIR), in its prefix.
set -eu
if [ -d "$1" ]; then
  dir=$(cd "$1" && pwd)
  shift
else
  dir="${VZ_DISPLAY_DIR:?}"
fi
DISPLAY=$(cat "$dir/display")
WINEPREFIX="$dir/prefix"
WINEDEBUG=-all
WINEDLLOVERRIDES="winealsa.drv,winepulse.drv=d;winemenubuilder.exe=d"
export DISPLAY WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
exec wine "$@"
