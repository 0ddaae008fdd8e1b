#!/bin/sh
# The installer, silently, in the shared prefix: the program, its Start-menu
# entry, its start at log-on and its uninstaller are there, and the program
# runs. Installed again over the running program, it has the program finish
# (the unfinished hour credited once), replaces it and starts the new one;
# when the program file cannot be replaced (another program holds it open),
# it fails with a non-zero status and the old installation stays, running.
# The uninstaller, silently, has the running program finish, takes the rest
# away and keeps the data folder.
#   installer.sh SETUP.EXE SESSION_PROBE.EXE   (WINEPREFIX and Wine's settings from CTest)
set -u
setup="$1"
probe="$2"
wine="${VZ_WINE:-wine}"
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Verezerud'
failures=0
check() {  # check DESCRIPTION COMMAND...
  what="$1"; shift
  if "$@" >/dev/null 2>&1; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
absent() { ! "$@"; }
# Every Wine program gets 60 s at most (90 s for one that runs the installer).
w() { timeout -k 5 60 "$wine" "$@" </dev/null; }
# The probe's output goes to a file: a program it starts must not hold a pipe of ours.
log="$(mktemp)"
p() { timeout -k 5 90 "$wine" "$probe" "$@" </dev/null >>"$log" 2>&1; }
# A Windows folder of the prefix, as a Unix path.
folder() { w cmd /c echo "%$1%" | tr -d '\r'; }
local_win="$(folder LOCALAPPDATA)"
local_unix="$(w winepath -u "$local_win" | tr -d '\r')"
programs_unix="$(w winepath -u "$(folder APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs" | tr -d '\r')"
[ -d "$local_unix" ] && [ -d "$programs_unix" ] || { echo "no folders in the prefix: '$local_unix' '$programs_unix'"; exit 1; }
dir="$local_unix/Programs/Verezerud"
exe_win="$local_win\\Programs\\Verezerud\\verezerud.exe"
data="$local_unix/Verezerud"
usage() { od -An -tx1 "$data/ZURivIdid.tim" | tr -d ' \n'; }
ends_old() { [ "$(tail -c 3 "$dir/verezerud.exe")" = old ]; }
version() { w reg query "$uninstall_key" /v DisplayVersion | grep -q "$1"; }
leftovers() { ls "$dir" | grep -q '\.new$\|\.old$'; }
pid() { sed -n "s/^$1 //p" "$log" | tail -n 1; }
# No program may outlive the test, whatever failed.
trap 'for i in 1 2 3; do p stop || break; done; rm -f "$log"' EXIT
rm -rf "$dir" "$data"

check "the installer ends with status 0" w "$setup" /S
check "the program is installed" test -s "$dir/verezerud.exe"
check "the uninstaller is installed" test -s "$dir/Uninstall.exe"
check "the Start-menu entry is there" test -s "$programs_unix/Verezerud.lnk"
check "the program starts at log-on" sh -c \
  "timeout -k 5 60 '$wine' reg query '$run_key' /v Verezerud </dev/null | grep -qi 'Programs.Verezerud.verezerud.exe\" /autostart'"
check "the uninstaller is registered" sh -c \
  "timeout -k 5 60 '$wine' reg query '$uninstall_key' /v UninstallString </dev/null | grep -qi 'Uninstall.exe'"
check "the installer has started the program" p running
first="$(pid running)"

# Over the running program, marked as the old one.
mkdir -p "$data"
printf '\005\000' >"$data/ZURivIdid.tim"
printf old >>"$dir/verezerud.exe"
check "installed over the running program, the installer ends with status 0" w "$setup" /S
check "the program is replaced" absent ends_old
check "the running program credited the unfinished hour once" test "$(usage)" = 0600
check "the new program runs" p running
check "in a process of its own" test -n "$(pid running)" -a "$(pid running)" != "$first"

# The program file held open by another program: nothing can replace it.
printf old >>"$dir/verezerud.exe"
w reg add "$uninstall_key" /v DisplayVersion /d 1.00 /f >/dev/null 2>&1
check "when the program cannot be replaced, the installer fails" absent \
  p hold "$exe_win" "\"$(w winepath -w "$setup" | tr -d '\r')\" /S"
check "and the old program stays" ends_old
check "the old Uninstall entry stays" version 1.00
check "no temporary file is left" absent leftovers
check "the old program runs again" p running
check "and finishes when asked" p stop
check "each program credited its unfinished hour once" test "$(usage)" = 0800

# The data folder stays: a usage file the program would have written.
check "the program runs" p start "$exe_win"
printf '\005\000' >"$data/ZURivIdid.tim"
# `_?=` runs the uninstaller in place, so that it ends only when it is done
# (it cannot then delete itself, nor the folder holding it).
check "the uninstaller ends with status 0" w "$dir/Uninstall.exe" /S "_?=$local_win\\Programs\\Verezerud"
check "the running program credited the unfinished hour once" test "$(usage)" = 0600
check "and no longer runs" absent p stop
check "the program is removed" absent test -e "$dir/verezerud.exe"
check "the license is removed" absent test -e "$dir/LICENSE.txt"
check "the Start-menu entry is removed" absent test -e "$programs_unix/Verezerud.lnk"
check "the program no longer starts at log-on" absent w reg query "$run_key" /v Verezerud
check "the uninstaller is no longer registered" absent w reg query "$uninstall_key"
check "the data folder is kept" test -s "$data/ZURivIdid.tim"
[ "$failures" -eq 0 ] || cat "$log"
rm -rf "$dir" "$data"
[ "$failures" -eq 0 ]
