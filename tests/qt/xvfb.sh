#!/bin/sh
# Usage: xvfb.sh SERVERNUM COMMAND...
# Runs a command on a fresh virtual 1920x1080 display with a white root
# window, so that a black window can be told from no window at all
# (VZ_XVFB_SCREEN=3200x1080 gives one wide screen that the monitor tests
# split with `xrandr --setmonitor`; -noreset keeps those monitors). Each
# test starts its search for a free display number at its own SERVERNUM, so
# tests that run side by side do not race for the same one.
set -e
server=$1
shift
if [ -z "$XDG_RUNTIME_DIR" ]; then
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
exec xvfb-run -a -n "$server" -s "-screen 0 ${VZ_XVFB_SCREEN:-1920x1080}x24 -wr -noreset" "$@"
