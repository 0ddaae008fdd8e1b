#!/bin/sh
# The Wine prefix that one test run shares: `prefix.sh make` creates it afresh
# and leaves its wineserver running, detached, so the tests' Wine programs
# start in milliseconds and nothing lingers on their output; `prefix.sh
# remove` stops the server and deletes the prefix. WINEPREFIX names it.
set -eu
: "${WINEPREFIX:?}"
export WINEDEBUG=-all DISPLAY=
export WINEDLLOVERRIDES="winealsa.drv,winepulse.drv=d;winemenubuilder.exe=d"
log="$WINEPREFIX.log"

case "$1" in
make)
  [ ! -e "$WINEPREFIX" ] || { wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"; }
  mkdir -p "$WINEPREFIX"
  # Detached: a server that inherited our output would keep it open.
  wineserver -p </dev/null >"$log" 2>&1
  if ! wineboot -i </dev/null >>"$log" 2>&1; then
    cat "$log"
    exit 1
  fi
  echo "Wine prefix ready: $WINEPREFIX"
  ;;
remove)
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  rm -rf "$WINEPREFIX" "$log"
  ;;
*)
  echo "usage: prefix.sh make|remove" >&2
  exit 2
  ;;
esac
