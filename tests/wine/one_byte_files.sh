#!/bin/sh
# Runs a Windows program under Wine with files limited to one byte, as a full
# disk would cut its writes short: a write past the limit fails (the signal
# that would end the program is ignored) and the program must undo it.
trap '' XFSZ
exec prlimit --fsize=1 "${VZ_WINE:-wine}" "$@"
