#!/bin/sh
# The Wine prefix that one test run shares: `prefix.sh make` creates it afresh
# and leaves its wineserver running, detached, so the tests' Wine programs
# start in milliseconds and nothing lingers on their output; `prefix.sh
# remove` stops the server and deletes the prefix. WINEPREFIX names it.
# Its windows are drawn on the X display VZ_WINE_DISPLAY if one is named,
# and nowhere otherwise.
set -eu
: "${WINEPREFIX:?}"
export WINEDEBUG=-all DISPLAY="${VZ_WINE_DISPLAY:-}"
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
  if [ -n "$DISPLAY" ]; then
    echo "Wine prefix ready: $WINEPREFIX, on display $DISPLAY"
    exit 0
  fi
  # Windows' windows without a display: Wine's null graphics driver. The
  # desktop that wineboot started chose its driver already, so the prefix
  # starts again, still detached, with the new one.
  if ! wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >>"$log" 2>&1; then
    cat "$log"
    exit 1
  fi
  wineserver -k >>"$log" 2>&1 || true
  wineserver -w
  wineserver -p </dev/null >>"$log" 2>&1
  wineboot </dev/null >>"$log" 2>&1
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
