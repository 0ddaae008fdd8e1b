#!/bin/sh
# A virtual X display and a Wine prefix that draws on it, for the tests that
# look at pixels: `display.sh start` starts Xvfb (1920x1080, white root, a
# display number of its own that the server picks and reports once it
# listens) and makes the prefix; `display.sh stop` ends both. Both live in
# the folder VZ_DISPLAY_DIR; on_display.sh runs Windows programs there.
# Starting also empties the folder VZ_SCREENSHOT_DIR of pictures, so that
# none from an earlier run passes for new.
set -eu
dir="${VZ_DISPLAY_DIR:?}"

stop() {
  if [ -e "$dir/prefix" ]; then
    WINEPREFIX="$dir/prefix" sh "$(dirname "$0")/prefix.sh" remove
  fi
  if [ -s "$dir/xvfb.pid" ]; then
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
  fi
  rm -rf "$dir"
}

case "$1" in
start)
  stop
  rm -f "${VZ_SCREENSHOT_DIR:?}"/*.bmp
  mkdir -p "$dir"
  mkfifo "$dir/ready"
  # The server writes its display number to fd 3 when it is ready; reading
  # the pipe waits for that, or for its end if the server fails. Detached,
  # so it holds none of the test's pipes.
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -wr -nolisten tcp 3>"$dir/ready" \
    </dev/null >"$dir/xvfb.log" 2>&1 &
  echo $! >"$dir/xvfb.pid"
  number=$(cat "$dir/ready")
  if [ -z "$number" ]; then
    cat "$dir/xvfb.log"
    exit 1
  fi
  echo ":$number" >"$dir/display"
  echo "Xvfb ready on :$number"
  WINEPREFIX="$dir/prefix" VZ_WINE_DISPLAY=":$number" sh "$(dirname "$0")/prefix.sh" make
  ;;
stop)
  stop
  ;;
*)
  echo "usage: display.sh start|stop" >&2
  exit 2
  ;;
esac
