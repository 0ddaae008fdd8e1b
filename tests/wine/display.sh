#!/bin/sh
# A virtual X display with a Wine prefix of its own that draws on it, for the
# tests that look at the desktop: `display.sh start DIR [openbox] [dpi=N]
# [two-monitors]` starts Xvfb (white root, a display number of its own that
# the server picks and reports once it listens), then as asked openbox, or
# two monitors (a 1920x1080 primary and a 1280x800 one to its right, as RandR
# monitors of one wide screen, with a 30-pixel panel along the top outside
# the work area), and makes the prefix from the template that wine.prefix
# leaves (VZ_WINE_TEMPLATE): at 96 dots per inch or N, with the stand-ins
# for the windows' fonts, which Wine lacks. `display.sh stop DIR` ends it
# all. DIR holds `display` (":N"), `prefix` and the logs; on_display.sh runs
# Windows programs there. Starting also empties the folder
# VZ_SCREENSHOT_DIR, if named, of pictures, so none from an earlier run
# passes for new.
set -eu
here=$(dirname "$0")
action="$1" dir="$2"
shift 2

stop() {
  if [ -e "$dir/prefix" ]; then
    WINEPREFIX="$dir/prefix" sh "$here/prefix.sh" remove
  fi
  for server in openbox xvfb; do
    if [ -s "$dir/$server.pid" ]; then
      kill "$(cat "$dir/$server.pid")" 2>/dev/null || true
    fi
  done
  rm -rf "$dir"
}

fail() {
  cat "$dir"/*.log >&2
  exit 1
}

start() {
  wm="" dpi=96 two=""
  for option in "$@"; do
    case "$option" in
    openbox) wm=1 ;;
    dpi=*) dpi="${option#dpi=}" ;;
    two-monitors) two=1 ;;
    *) echo "unknown option $option" >&2; exit 2 ;;
    esac
  done
  stop
  [ -z "${VZ_SCREENSHOT_DIR:-}" ] || rm -f "$VZ_SCREENSHOT_DIR"/*.bmp
  mkdir -p "$dir"
  mkfifo "$dir/ready"
  # The server writes its display number to fd 3 when it is ready; reading
  # the pipe waits for that, or for its end if the server fails. Detached,
  # so it holds none of the test's pipes; -noreset keeps the monitors when
  # the last client leaves.
  size=1920x1080
  [ -z "$two" ] || size=3200x1080
  Xvfb -displayfd 3 -screen 0 "${size}x24" -wr -noreset -nolisten tcp 3>"$dir/ready" \
    </dev/null >"$dir/xvfb.log" 2>&1 &
  echo $! >"$dir/xvfb.pid"
  number=$(cat "$dir/ready")
  [ -n "$number" ] || fail
  export DISPLAY=":$number"
  echo "$DISPLAY" >"$dir/display"
  echo "Xvfb ready on $DISPLAY"

  if [ -n "$two" ]; then
    xrandr --setmonitor '*LEFT' 1920/508x1080/286+0+0 none
    xrandr --setmonitor RIGHT 1280/338x800/211+1920+0 none
    # The screen's own monitor goes; xrandr says BadValue and does it.
    xrandr --output screen --off 2>/dev/null || true
    xrandr --listmonitors | grep -qx 'Monitors: 2' || { xrandr --listmonitors; fail; }
    xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA 0,30,3200,1050
  fi
  if [ -n "$wm" ]; then
    # Openbox runs its start-up command once it manages the screen.
    mkfifo "$dir/wm-ready"
    openbox --sm-disable --config-file /etc/xdg/openbox/rc.xml \
      --startup "sh -c 'echo up >$dir/wm-ready'" </dev/null >"$dir/openbox.log" 2>&1 &
    echo $! >"$dir/openbox.pid"
    [ "$(timeout 30 cat "$dir/wm-ready")" = up ] || fail
    echo "openbox ready"
  fi

  # The prefix's settings; Wine reads two monitors through Xinerama, its own
  # RandR use would see one screen.
  hex=$(printf '%08x' "$dpi")
  cat >"$dir/settings.reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]
"Graphics"=-

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"UseXRandR"="$([ -n "$two" ] && echo N || echo Y)"

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"LogPixels"=dword:$hex

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts]
"LogPixels"=dword:$hex

[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts]
"LogPixels"=dword:$hex

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"Comic Sans MS"="Comic Neue"
"Microsoft Sans Serif"="Liberation Sans"
"MS Sans Serif"="Liberation Sans"
"Tahoma"="Liberation Sans"
REG
  WINEPREFIX="$dir/prefix" VZ_WINE_DISPLAY="$DISPLAY" sh "$here/prefix.sh" copy \
    "${VZ_WINE_TEMPLATE:?}" "$dir/settings.reg"
  # Each Wine program reads the fonts folder as it starts.
  for family in 'Liberation Sans' 'Comic Neue'; do
    files=$(fc-list -f '%{file}\n' "$family")
    [ -n "$files" ] || { echo "no font $family" >&2; exit 1; }
    echo "$files" | while read -r file; do cp "$file" "$dir/prefix/drive_c/windows/Fonts/"; done
  done
}

case "$action" in
start) start "$@" ;;
stop) stop ;;
*)
  echo "usage: display.sh start|stop DIR [openbox] [dpi=N] [two-monitors]" >&2
  exit 2
  ;;
esac
