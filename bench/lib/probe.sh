# Sourced by bench/footprint: what a program spends, read from /proc.
#
# The start-up watch runs every few milliseconds, so it uses shell builtins only
# (no process per poll); the snapshots of a whole session fork one awk each.

POLL_S=0.01                  # start-up watch: time between two looks at the program
QUIET_MS=1000                # start-up ends once the program has been quiet this long...
QUIET_FLOOR_NS=2000000       # ...spending at most 2 ms of CPU...
QUIET_PERMILLE=10            # ...plus 1 % of a core
STARTUP_LIMIT_S=30           # a program that never quiets down is reported as such

# nap SECONDS: sleep without starting a process (a read that times out on a fifo
# nobody writes to).
nap() { read -r -t "$1" -u "$NAP_FD" _ || true; }
nap_init() {
    mkfifo "$WORK/nap.fifo"
    exec {NAP_FD}<>"$WORK/nap.fifo"
}

now_us() { NOW_US=${EPOCHREALTIME//[.,]/}; }

# cpu_ns PID: sets CPU_NS to the CPU time of all the process's threads, in ns
# (the scheduler's own account when the kernel keeps one, else clock ticks).
cpu_ns() {
    local f a s=0 line rest
    if [[ -r /proc/$1/schedstat ]]; then
        for f in /proc/"$1"/task/*/schedstat; do
            { read -r a _ <"$f"; } 2>/dev/null && ((s += a))
        done
    else
        { read -r line <"/proc/$1/stat"; } 2>/dev/null || return 1
        rest=${line##*) }
        read -ra a <<<"$rest"
        ((s = (a[11] + a[12]) * 1000000000 / CLK_TCK))
    fi
    CPU_NS=$s
}

# startup_watch PID T0_US: sets STARTUP_MS to the time from T0 until the last
# burst of CPU before the program went quiet; empty if it died or never did.
startup_watch() {
    local pid=$1 t0=$2 since_us since_ns used span
    STARTUP_MS=
    now_us; cpu_ns "$pid" || return 1
    since_us=$NOW_US since_ns=$CPU_NS
    while :; do
        nap "$POLL_S"
        now_us
        cpu_ns "$pid" || return 1
        [[ -d /proc/$pid ]] || return 1
        ((used = CPU_NS - since_ns, span = NOW_US - since_us))
        if ((used > QUIET_FLOOR_NS + span * QUIET_PERMILLE)); then
            since_us=$NOW_US since_ns=$CPU_NS
        elif ((span >= QUIET_MS * 1000)); then
            ((STARTUP_MS = (since_us - t0) / 1000))
            return 0
        fi
        ((NOW_US - t0 > STARTUP_LIMIT_S * 1000000)) && return 2
    done
}

# snapshot LABEL PID...: appends one P line per process and one T line per
# thread to $SAMPLES:
#   P label pid ppid start cpu_ticks reaped_children_ticks comm
#   T label pid start tid voluntary involuntary comm
snapshot() {
    local label=$1; shift
    local files=() p
    for p in "$@"; do files+=("/proc/$p/stat" /proc/"$p"/task/*/status); done
    awk -v label="$label" -f "$LIB/snapshot.awk" "${files[@]}" >>"$SAMPLES" 2>/dev/null
}

# memory LABEL PID...: appends "M label pid rss_kb pss_kb comm" per process to $SAMPLES.
memory() {
    local label=$1; shift
    local files=() p
    for p in "$@"; do files+=("/proc/$p/smaps_rollup"); done
    awk -v label="$label" '
        BEGIN {
            for (i = 1; i < ARGC; i++) {
                f = ARGV[i]; rss = pss = -1
                while ((getline line < f) > 0) {
                    split(line, x, " ")
                    if (x[1] == "Rss:") rss = x[2]
                    else if (x[1] == "Pss:") pss = x[2]
                }
                close(f)
                if (pss < 0) continue
                pid = f; sub(/^\/proc\//, "", pid); sub(/\/.*/, "", pid)
                comm = "?"; getline comm < ("/proc/" pid "/comm"); gsub(/ /, "_", comm)
                print "M", label, pid, rss, pss, comm
            }
            exit
        }' "${files[@]}" >>"$SAMPLES" 2>/dev/null
}

# sharers PID SESSION_PID...: the processes outside the session that map the
# program's largest library now, as "LIBRARY: pid comm, ..."; they share its
# pages and so make its PSS smaller than it is on its own.
sharers() {
    local pid=$1 lib f p out=
    shift
    lib=$(awk '/^[0-9a-f]+-/ { name = $6 } /^Rss:/ && name ~ /\.so/ { r[name] += $2 }
               END { for (n in r) if (r[n] > best) { best = r[n]; lib = n }; print lib }' \
          "/proc/$pid/smaps" 2>/dev/null)
    [[ -n $lib ]] || return 0
    for f in $(grep -lF "$lib" /proc/[0-9]*/maps 2>/dev/null); do
        p=${f#/proc/}; p=${p%/maps}
        [[ " $* " == *" $p "* ]] && continue
        out+="${out:+, }$p $(cat "/proc/$p/comm" 2>/dev/null)"
    done
    [[ -z $out ]] || echo "${lib##*/}: $out"
}

# shown_windows: the windows mapped on the session's screen, one "WIDTHxHEIGHT" a
# line (there is no window manager, so they are the root window's children).
shown_windows() {
    command -v xwininfo >/dev/null || { echo "?"; return; }
    local id
    for id in $(DISPLAY=$S_DISPLAY xwininfo -root -children 2>/dev/null |
                awk '$1 ~ /^0x/ { print $1 }'); do
        DISPLAY=$S_DISPLAY xwininfo -id "$id" 2>/dev/null | awk '
            /Width:/ { w = $2 } /Height:/ { h = $2 }
            /Map State: IsViewable/ { shown = 1 }
            END { if (shown) print w "x" h }'
    done
}
