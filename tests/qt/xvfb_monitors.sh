#!/bin/sh
# Usage: xvfb_monitors.sh SERVERNUM COMMAND...
# Like xvfb.sh, on one wide 3200x1080 virtual screen that the tests split
# into monitors with `xrandr --setmonitor`. -noreset keeps the monitors when
# the last client leaves.
set -e
server=$1
shift
if [ -z "$XDG_RUNTIME_DIR" ]; then
  XDG_RUNTIME_DIR=$(mktemp -d /tmp/verezerud-xdg.XXXXXX)
  export XDG_RUNTIME_DIR
fi
chmod 700 "$XDG_RUNTIME_DIR"
if [ -n "${ASAN_OPTIONS:-}" ]; then
  export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
fi
exec xvfb-run -a -n "$server" -s "-screen 0 3200x1080x24 -wr -noreset" "$@"
