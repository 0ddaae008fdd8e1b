#!/bin/sh
# The Wine prefixes of a test run. `prefix.sh make` creates WINEPREFIX afresh
# with Wine's null graphics driver (no display) and leaves its wineserver
# running, detached, so the tests' Wine programs start in milliseconds and
# nothing lingers on their output; with VZ_WINE_TEMPLATE set it also leaves
# a copy of the new prefix there, which `prefix.sh copy TEMPLATE SETTINGS.reg`
# turns into WINEPREFIX in a few seconds: the copy, the registry settings
# imported (the graphics driver's among them), and its server started on the
# X display VZ_WINE_DISPLAY. `prefix.sh remove` stops the server and deletes
# the prefix (and the template, if named).
set -eu
: "${WINEPREFIX:?}"
export WINEDEBUG=-all DISPLAY="${VZ_WINE_DISPLAY:-}"
export WINEDLLOVERRIDES="winealsa.drv,winepulse.drv=d;winemenubuilder.exe=d"
log="$WINEPREFIX.log"

fail() {
  cat "$log"
  exit 1
}

# The server again, detached (one that inherited our output would keep it
# open), and the desktop started with the registry as it is now.
restart() {
  wineserver -k >>"$log" 2>&1 || true
  wineserver -w
  wineserver -p </dev/null >>"$log" 2>&1
  wineboot </dev/null >>"$log" 2>&1 || fail
}

# A copy of prefix $1 at $2; the system's DLLs, which Wine only reads, are
# linked rather than copied (they are most of its 700 MB).
copy() {
  mkdir -p "$2"
  tar -C "$1" --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 \
    -cf - . | tar -C "$2" -xf -
  for d in system32 syswow64; do
    [ ! -d "$1/drive_c/windows/$d" ] || cp -al "$1/drive_c/windows/$d" "$2/drive_c/windows/"
  done
}

case "$1" in
make)
  [ ! -e "$WINEPREFIX" ] || { wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"; }
  mkdir -p "$WINEPREFIX"
  wineserver -p </dev/null >"$log" 2>&1
  wineboot -i </dev/null >>"$log" 2>&1 || fail
  # The desktop that wineboot started chose its driver already, so the
  # prefix starts again with the new one.
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >>"$log" 2>&1 || fail
  wineserver -k >>"$log" 2>&1 || true
  wineserver -w
  if [ -n "${VZ_WINE_TEMPLATE:-}" ]; then
    rm -rf "$VZ_WINE_TEMPLATE"
    copy "$WINEPREFIX" "$VZ_WINE_TEMPLATE"
  fi
  wineserver -p </dev/null >>"$log" 2>&1
  wineboot </dev/null >>"$log" 2>&1 || fail
  echo "Wine prefix ready: $WINEPREFIX"
  ;;
copy)
  [ -d "$2" ] || { echo "no Wine prefix to copy at $2" >&2; exit 1; }
  rm -rf "$WINEPREFIX"
  copy "$2" "$WINEPREFIX"
  : >"$log"
  wineserver -p </dev/null >>"$log" 2>&1
  wine regedit /S "$3" </dev/null >>"$log" 2>&1 || fail
  restart
  echo "Wine prefix ready: $WINEPREFIX${DISPLAY:+, on display $DISPLAY}"
  ;;
remove)
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  rm -rf "$WINEPREFIX" "$log" ${VZ_WINE_TEMPLATE:+"$VZ_WINE_TEMPLATE"}
  ;;
*)
  echo "usage: prefix.sh make | copy TEMPLATE SETTINGS.reg | remove" >&2
  exit 2
  ;;
esac
