#!/bin/sh
# Runs a command with a private session bus and a private bus standing in for
# the system bus (DBUS_SESSION_BUS_ADDRESS, DBUS_SYSTEM_BUS_ADDRESS), both
# gone at its end; the test puts scripted services on them. dbus-daemon
# prints its address once it listens, so nothing waits on a guess.
set -eu
pids=""
stop() {
  for pid in $pids; do kill "$pid" 2>/dev/null || true; done
}
trap stop EXIT
trap 'exit 143' HUP INT TERM
start_bus() {
  # Two lines: the address, then the process id.
  out=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
  pids="$pids $(echo "$out" | sed -n 2p)"
  echo "$out" | sed -n 1p
}
DBUS_SESSION_BUS_ADDRESS=$(start_bus)
DBUS_SYSTEM_BUS_ADDRESS=$(start_bus)
export DBUS_SESSION_BUS_ADDRESS DBUS_SYSTEM_BUS_ADDRESS
status=0
"$@" || status=$?
exit "$status"
