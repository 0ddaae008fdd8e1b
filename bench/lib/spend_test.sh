#!/bin/bash
# The accounts of spend.awk on a made-up session of three looks: a program
# (pid 100) that reaps a short-lived child (pid 300), a helper service (pid
# 200) that lives on, and one (pid 400) that ends unreaped by the session.
set -u
here=$(cd "$(dirname "$0")" && pwd)
samples=$(mktemp)
trap 'rm -f "$samples"' EXIT

# P label pid ppid start cpu_ticks reaped_ticks comm / T label pid start tid vol invol comm
cat >"$samples" <<'EOF'
M idle/0 100 30000 20000 program
M idle/0 200 8000 3000 helper
P idle/0 100 1 500 100 0 program
T idle/0 100 500 100 10 1 program
T idle/0 100 500 101 5 0 worker
P idle/0 200 1 510 10 0 helper
T idle/0 200 510 200 50 5 helper
P idle/0 400 1 520 5 0 lone
T idle/0 400 520 400 3 0 lone
P other/0 100 1 500 999 999 program
P idle/1 100 1 500 110 0 program
T idle/1 100 500 100 11 1 program
T idle/1 100 500 101 7 0 worker
T idle/1 100 500 102 4 0 pool
P idle/1 300 100 600 3 0 child
T idle/1 300 600 300 2 0 child
P idle/1 200 1 510 12 0 helper
T idle/1 200 510 200 60 5 helper
P idle/1 400 1 520 8 0 lone
T idle/1 400 520 400 6 1 lone
P idle/2 100 1 500 130 20 program
T idle/2 100 500 100 12 1 program
T idle/2 100 500 102 4 0 pool
P idle/2 200 1 510 15 0 helper
T idle/2 200 510 200 70 6 helper
EOF

# check NAME WANT [AWK-PROGRAM-TO-REWRITE-THE-SAMPLES]
check() {
    local got
    got=$(awk "${3:-1}" "$samples" | awk -v phase=idle -v main=100 -v hz=100 -f "$here/spend.awk" | sort)
    if [[ $got != "$(sort <<<"$2")" ]]; then
        echo "$1:"
        diff <(sort <<<"$2") <(echo "$got")
        failed=1
    fi
}
failed=0
common='thread program 2 0
thread worker 2 0
thread pool 4 0
vol_main 8
inv_main 0
vol_other 25
inv_other 2
started 1
threads_main 2
looks 3
rss_main 30000
pss_main 20000
rss_other 8000
pss_other 3000
others_mem helper'

# Without schedstat, CPU comes from clock ticks: the program's 30; the child's
# 20 reaped ticks + the helper's 5 + the lone one's 3 (at its last look); the
# child's own 3 ticks are inside the 20. Switches of others: the helper's 20 + 1,
# the child's 2 (seen once), the lone one's 3 + 1.
check "clock ticks" "$common
cpu_main 0.300
cpu_other 0.280"

# With schedstat (here 1 ms of CPU for each voluntary switch), the threads' own
# time: the program's 2 + 2 + 4 ms; the helper's 20 and the lone one's 3 ms, not
# the reaped child's, whose time is in the 20 reaped ticks.
check "schedstat" "$common
cpu_main 0.008
cpu_other 0.223" '$1 == "T" { $9 = $6 * 1000000 } { print }'

((failed)) && exit 1
echo "spend.awk accounts as expected"
