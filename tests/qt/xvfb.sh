#!/bin/sh
# Usage: xvfb.sh WIDTHxHEIGHT COMMAND...
# Runs a command on a virtual display of its own: one screen of that size
# with a white root window, so that a black window can be told from no window
# at all (the monitor tests split a wide one with `xrandr --setmonitor`;
# -noreset keeps those monitors when the last client leaves). Xvfb picks a
# free display number and writes it to -displayfd once it accepts
# connections, so tests run side by side with no fixed numbers and no waiting
# on a guess.
set -eu
size=$1
shift
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR=$(mktemp -d /tmp/verezerud-xdg.XXXXXX)
  export XDG_RUNTIME_DIR
fi
chmod 700 "$XDG_RUNTIME_DIR"
# libxkbcommon-x11 hands strndup a buffer that is not NUL-terminated, which
# is allowed; AddressSanitizer's strict string checks take it for an overflow
# in every program that connects to the display.
if [ -n "${ASAN_OPTIONS:-}" ]; then
  export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
fi

dir=$(mktemp -d /tmp/verezerud-xvfb.XXXXXX)
mkfifo "$dir/ready"
# Reading the pipe waits for the number, or for its end if the server fails.
Xvfb -displayfd 3 -screen 0 "${size}x24" -wr -noreset -nolisten tcp 3>"$dir/ready" \
  </dev/null >"$dir/log" 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; rm -rf "$dir"' EXIT
trap 'exit 143' HUP INT TERM
number=$(cat "$dir/ready")
if [ -z "$number" ]; then
  cat "$dir/log" >&2
  exit 1
fi
DISPLAY=":$number"
export DISPLAY
# An X11 session, whatever session the tests were started from.
unset WAYLAND_DISPLAY XDG_SESSION_TYPE
status=0
"$@" || status=$?
exit "$status"
