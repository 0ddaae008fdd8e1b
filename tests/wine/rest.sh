#!/bin/bash
# Usage: rest.sh keyboard|monitors DIR SIM.exe WORK HELPER.exe
# The rest as a user meets it, under Wine on the display that display.sh
# started in DIR: verezerud-sim-win32 runs in the folder WORK with the
# display's input (--live-input), fed its script a line at a time, while
# xdotool types and clicks.
# - keyboard (openbox; HELPER is typist.exe): a window of another program is
#   in front when the rest comes, and another one opens during it; nothing
#   typed during the rest reaches either, and after it typing does again.
# - monitors (two monitors; HELPER is screens_check.exe): during the rest
#   both monitors are black and a click on the second opens the menu; after
#   it the second shows the desktop again.
set -euo pipefail
case=$1 dir=$2 sim=$3 work=$4 helper=$5
wine=$(dirname "$(readlink -f "$0")")/on_display.sh
export DISPLAY
DISPLAY=$(cat "$dir/display")
rm -rf "$work"
mkdir -p "$work/data"
cd "$work"

pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT

# The next line on file descriptor $1 that matches the pattern $2 (the
# lines before it are kept in the file log$1); fails after 20 s without.
next() {
  local line
  while IFS= read -r -t 20 line <&"$1"; do
    line=${line%$'\r'}
    echo "$line" >>"log$1"
    # shellcheck disable=SC2053
    if [[ $line == $2 ]]; then
      echo "$line"
      return 0
    fi
  done
  echo "FAILED: no line \"$2\" came (see $work/log$1)" >&2
  exit 1
}
# The characters that the typist on file descriptor $1 has been given.
chars() { sed -n 's/^char //p' "log$1" | tr -d '\n'; }
# Waits until the command succeeds, looking every 0.1 s; fails after 20 s.
until_ok() {
  local i
  for i in $(seq 200); do
    if "$@"; then return 0; fi
    sleep 0.1
  done
  echo "FAILED: $* never came true" >&2
  exit 1
}
# Whether the window under the pointer is $1 (WIDTHxHEIGHT) big.
under_pointer() {
  local WINDOW
  eval "$(xdotool getmouselocation --shell)"
  xdotool getwindowgeometry "$WINDOW" | grep -q "Geometry: $1\$"
}
check() {
  if [ "$1" = "$2" ]; then echo "ok: $3"; else echo "FAILED: $3: \"$1\"" >&2; exit 1; fi
}

coproc SIM { exec timeout 120 "$wine" "$dir" "$sim" --live-input --data-dir 'data' 2>sim.err; }
pids+=("$SIM_PID")
# Runs script lines and returns once they have all run.
run() {
  printf '%s\n' "$@" "print file sync" >&"${SIM[1]}"
  next "${SIM[0]}" "= missing" >/dev/null
}

# Another program's window, titled $2, in front: its lines on file
# descriptor $1, its X window in $window.
typist() {
  eval "exec $1< <(exec timeout 120 \"\$wine\" \"\$dir\" \"\$helper\" \"\$2\" 2>>typist.err)"
  pids+=("$!")
  window=$(timeout 20 xdotool search --sync --name "^$2\$" | head -1)
  timeout 20 xdotool windowactivate --sync "$window"
}

case "$case" in
keyboard)
  typist 5 "Typist A"
  a=$window
  run start "wait 58m"
  xdotool type ab
  next 5 "char b" >/dev/null
  check "$(chars 5)" ab "the banner leaves the keyboard where it was"
  # The rest. Each typist's hook sees the keys once their way is decided, so
  # the rest ends only after the Return typed last has been seen.
  run "wait 10s"
  xdotool type cd
  xdotool key Return
  next 5 "key 0D" >/dev/null
  typist 6 "Typist B"
  b=$window
  xdotool type ef
  xdotool key Return
  next 6 "key 0D" >/dev/null
  # The program's own windows get their keys. (Wine gives a window the keys
  # only with the X focus, which a click on it gives.)
  run "click frmSplash" "choose About"
  xdotool mousemove 960 540
  until_ok under_pointer 314x190
  xdotool click 1 key Escape
  next "${SIM[0]}" "* unload frmAbout" >/dev/null
  # After the rest, typing in each reaches it, and it alone.
  run "wait 2m"
  timeout 20 xdotool windowactivate --sync "$a" type g
  next 5 "char g" >/dev/null
  check "$(chars 5)" abg "nothing typed during the rest reached the window in front; after it, typing does"
  timeout 20 xdotool windowactivate --sync "$b" type h
  next 6 "char h" >/dev/null
  check "$(chars 6)" h "nor the window opened during the rest"
  ;;
monitors)
  run start "wait 58m" "wait 10s" "snap rest.bmp"
  xdotool mousemove 2560 400 click 1
  next "${SIM[0]}" "* popup frmSplash File" >/dev/null
  echo "ok: a click on the second monitor opens the menu"
  run dismiss "wait 2m" "snap after.bmp"
  timeout 60 "$wine" "$dir" "$helper" monitors
  ;;
esac
