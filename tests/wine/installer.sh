#!/bin/sh
# The installer, silently, in the shared prefix: the program, its Start-menu
# entry, its start at log-on and its uninstaller are there; the uninstaller,
# silently, takes them all away and keeps the data folder.
#   installer.sh SETUP.EXE      (WINEPREFIX and Wine's settings from CTest)
set -u
setup="$1"
wine="${VZ_WINE:-wine}"
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Verezerud'
failures=0
check() {  # check DESCRIPTION COMMAND...
  what="$1"; shift
  if "$@" >/dev/null 2>&1; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
absent() { ! "$@"; }
# Every Wine program gets 60 s at most.
w() { timeout -k 5 60 "$wine" "$@" </dev/null; }
# A Windows folder of the prefix, as a Unix path.
folder() { w cmd /c echo "%$1%" | tr -d '\r'; }
local_win="$(folder LOCALAPPDATA)"
local_unix="$(w winepath -u "$local_win" | tr -d '\r')"
programs_unix="$(w winepath -u "$(folder APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs" | tr -d '\r')"
[ -d "$local_unix" ] && [ -d "$programs_unix" ] || { echo "no folders in the prefix: '$local_unix' '$programs_unix'"; exit 1; }
dir="$local_unix/Programs/Verezerud"
data="$local_unix/Verezerud"
rm -rf "$dir"

check "the installer ends with status 0" w "$setup" /S
check "the program is installed" test -s "$dir/verezerud.exe"
check "the uninstaller is installed" test -s "$dir/Uninstall.exe"
check "the Start-menu entry is there" test -s "$programs_unix/Verezerud.lnk"
check "the program starts at log-on" sh -c \
  "timeout -k 5 60 '$wine' reg query '$run_key' /v Verezerud </dev/null | grep -qi 'Programs.Verezerud.verezerud.exe'"
check "the uninstaller is registered" sh -c \
  "timeout -k 5 60 '$wine' reg query '$uninstall_key' /v UninstallString </dev/null | grep -qi 'Uninstall.exe'"

# The data folder stays: a usage file the program would have written.
mkdir -p "$data"
printf '\005\000' >"$data/ZURivIdid.tim"
# `_?=` runs the uninstaller in place, so that it ends only when it is done
# (it cannot then delete itself, nor the folder holding it).
check "the uninstaller ends with status 0" w "$dir/Uninstall.exe" /S "_?=$local_win\\Programs\\Verezerud"
check "the program is removed" absent test -e "$dir/verezerud.exe"
check "the license is removed" absent test -e "$dir/LICENSE.txt"
check "the Start-menu entry is removed" absent test -e "$programs_unix/Verezerud.lnk"
check "the program no longer starts at log-on" absent w reg query "$run_key" /v Verezerud
check "the uninstaller is no longer registered" absent w reg query "$uninstall_key"
check "the data folder is kept" test -s "$data/ZURivIdid.tim"
rm -rf "$dir" "$data"
[ "$failures" -eq 0 ]
