# Sourced by bench/footprint: the table of results, as Markdown, with our
# figures as ratios to each peer's.

# fig S FIGURE: one figure of one program, computed from its readings ("" if none).
fig() {
    local s=$1 f=$2
    local -n r=R
    awk -v f="$f" -v window="$WINDOW_S" -v rest="$REST_S" \
        -v startup="${r[$s.startup]:-}" \
        -v rss_m="${r[$s.idle.rss_main]:-}" -v rss_o="${r[$s.idle.rss_other]:-0}" \
        -v pss_m="${r[$s.idle.pss_main]:-}" -v pss_o="${r[$s.idle.pss_other]:-0}" \
        -v cpu_m="${r[$s.idle.cpu_main]:-}" -v cpu_o="${r[$s.idle.cpu_other]:-0}" \
        -v sw="$(( ${r[$s.idle.vol_main]:-0} + ${r[$s.idle.inv_main]:-0} + ${r[$s.idle.vol_other]:-0} + ${r[$s.idle.inv_other]:-0} ))" \
        -v vol="$(( ${r[$s.idle.vol_main]:-0} + ${r[$s.idle.vol_other]:-0} ))" \
        -v inv="$(( ${r[$s.idle.inv_main]:-0} + ${r[$s.idle.inv_other]:-0} ))" \
        -v threads="${r[$s.idle.threads_main]:-}" -v started="${r[$s.idle.started]:-}" \
        -v rcpu="${r[$s.rest.cpu_main]:-}" -v rcpu_o="${r[$s.rest.cpu_other]:-0}" \
        -v rsw="$(( ${r[$s.rest.vol_main]:-0} + ${r[$s.rest.inv_main]:-0} + ${r[$s.rest.vol_other]:-0} + ${r[$s.rest.inv_other]:-0} ))" \
        'BEGIN {
            if (f == "startup") v = startup
            else if (f == "rss") v = (rss_m == "") ? "" : sprintf("%.1f", (rss_m + rss_o) / 1024)
            else if (f == "pss") v = (pss_m == "") ? "" : sprintf("%.1f", (pss_m + pss_o) / 1024)
            else if (f == "pss_other") v = (pss_m == "") ? "" : sprintf("%.1f", pss_o / 1024)
            else if (f == "cpu") v = (cpu_m == "") ? "" : sprintf("%.3f", cpu_m + cpu_o)
            else if (f == "cpu_other") v = (cpu_m == "") ? "" : sprintf("%.3f", cpu_o)
            else if (f == "switches") v = (cpu_m == "") ? "" : sw
            else if (f == "split") v = (cpu_m == "") ? "" : vol " + " inv
            else if (f == "per_minute") v = (cpu_m == "") ? "" : sprintf("%.1f", sw * 60 / window)
            else if (f == "threads") v = threads
            else if (f == "started") v = started
            else if (f == "rest_cpu") v = (rcpu == "") ? "" : sprintf("%.2f", (rcpu + rcpu_o) * 100 / rest)
            else if (f == "rest_switches") v = (rcpu == "") ? "" : sprintf("%.1f", rsw / rest)
            print v
        }'
}

# ratio OURS THEIRS: ours as a fraction of theirs.
ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN {
        if (a == "" || b == "" || a ~ /[^0-9.]/ || b ~ /[^0-9.]/) { print "–"; exit }
        if (b + 0 == 0) { print (a + 0 == 0) ? "same" : "–"; exit }
        r = a / b
        printf (r < 0.1 ? "%.3f" : "%.2f") "\n", r
    }'
}

print_table() {
    local s row label f ours v line
    local rows=(
        "startup|start-up to idle, ms ¹"
        "rss|RSS after ${SETTLE_S} s, MiB ²"
        "pss|PSS after ${SETTLE_S} s, MiB ²"
        "pss_other|  of which other processes, MiB ²"
        "cpu|CPU over ${WINDOW_S} s idle, s ³"
        "cpu_other|  of which other processes, s ³"
        "switches|context switches over ${WINDOW_S} s idle ⁴"
        "split|  voluntary + involuntary"
        "per_minute|context switches per minute idle ⁴"
        "threads|threads of the program when idle"
        "started|processes started while idle ⁵"
    )
    ((DO_REST)) && rows+=(
        "rest_cpu|rest screen: CPU, % of one core ⁶"
        "rest_switches|rest screen: context switches per second ⁶"
    )
    local peers=() PEER_NOTE=
    for s in "${SUBJECTS[@]}"; do [[ $s == verezerud* ]] || peers+=("$s"); done
    local PEER_NOTE6=
    ((${#peers[@]})) && PEER_NOTE6="
   Safe Eyes: a short break every minute, no smart pause. Workrave is not measured here:
   with no input under Xvfb its breaks never came, even one set to ignore input."
    ((${#peers[@]})) && PEER_NOTE="
(Workrave counts no time then; Safe Eyes pauses itself after 5 idle seconds and then checks
the idle time every 2 s with a child process, xprintidle.)"
    line="| |"
    for s in "${SUBJECTS[@]}"; do line+=" $(subject_name "$s") $(subject_version "$s") |"; done
    for s in "${peers[@]}"; do line+=" ours ÷ $(subject_name "$s") |"; done
    echo
    echo "$line"
    line="|---|"
    for s in "${SUBJECTS[@]}" "${peers[@]}"; do line+="---:|"; done
    echo "$line"
    for row in "${rows[@]}"; do
        f=${row%%|*} label=${row#*|}
        line="| $label |"
        ours=$(fig verezerud "$f")
        for s in "${SUBJECTS[@]}"; do
            v=$(fig "$s" "$f")
            line+=" ${v:-–} |"
        done
        for s in "${peers[@]}"; do
            case $f in
            split | threads | started | pss_other | cpu_other) line+=" |" ;;
            *) line+=" $(ratio "$ours" "$(fig "$s" "$f")") |" ;;
            esac
        done
        echo "$line"
    done
    cat <<EOF

$(date +%F), $(nproc)-core machine, under Xvfb ${SCREEN_GEOMETRY}, one program at a time, each in
a fresh home with its own D-Bus session and system buses and its own PulseAudio server, and
no keyboard or mouse input: each waits as it would for a user who is away.${PEER_NOTE}
1. From exec until the program's CPU time (all threads, from /proc/PID/task/*/schedstat, read
   every 10 ms) last grew by more than 2 ms + 1 % of a core before a quiet second. A program
   that blocks waiting on something would look idle from then on.
2. From /proc/PID/smaps_rollup, summed over the program and every other process of its session:
   its children and the services D-Bus started for it (e.g. the accessibility bus, dconf). Not
   counted: Xvfb, the two buses and the PulseAudio server of the session, which a desktop has
   anyway. PSS shares pages with any other program that maps the same libraries at the time.
3. The scheduler's run time of every thread of those processes (/proc/PID/task/*/schedstat,
   read once a second), and the utime + stime of their children that ended and were reaped
   (/proc/PID/stat, clock ticks), over the window that starts at the memory reading.
4. voluntary + involuntary context switches of every thread of those processes
   (/proc/PID/task/*/status), read once a second; a process that ends between two readings
   loses its last switches, one that lives under a second is not seen.
5. Processes of the session first seen during the window (one look a second).
EOF
    ((DO_REST)) && cat <<EOF
6. Over ${REST_S} s while a window covers the screen, with settings that bring it on soon:
   Verezerud's a 58-minute rest, so the reminder and its chime come at minute 2.${PEER_NOTE6}
EOF
    for s in "${SUBJECTS[@]}"; do
        echo
        echo "$(subject_name "$s"): windows shown when idle: ${R[$s.shown]:-none}"
        echo "  other processes: ${R[$s.idle.others_mem]:--}"
        [[ -z ${R[$s.idle.sharers]:-} ]] ||
            echo "  PSS read while processes outside the session mapped ${R[$s.idle.sharers]}"
        echo "  threads over the idle window (name voluntary involuntary):"
        tr ';' '\n' <<<"${R[$s.idle.threads]:-}" | awk 'NF { print "    " $0 }'
        if [[ -n ${R[$s.rest.threads]:-} ]]; then
            echo "  windows shown on the rest screen: ${R[$s.rest_shown]:-none}"
            echo "  threads on the rest screen (name voluntary involuntary):"
            tr ';' '\n' <<<"${R[$s.rest.threads]}" | awk 'NF { print "    " $0 }'
        fi
    done
}
