# One look at a set of processes: the files are given as arguments and read
# here with getline, so that a process or thread that has just ended is
# skipped instead of stopping the look.
#   /proc/PID/stat            -> P label pid ppid start cpu_ticks reaped_children_ticks comm
#   /proc/PID/task/TID/status -> T label pid start tid voluntary involuntary comm run_ns
# run_ns is the thread's CPU time in ns from its schedstat, or -1 without one.
BEGIN {
    for (i = 1; i < ARGC; i++) {
        f = ARGV[i]
        if (f ~ /\/stat$/) stat_line(f)
        else status_lines(f)
    }
    exit
}

# The fields after the command name, which may itself hold spaces and parentheses.
function after_comm(line,   i) {
    for (i = length(line); i > 0 && substr(line, i, 1) != ")"; i--) ;
    return substr(line, i + 2)
}

function stat_line(f,   line, n, x, pid, comm) {
    if ((getline line < f) <= 0) return
    close(f)
    pid = line; sub(/ .*/, "", pid)
    comm = line; sub(/^[^(]*\(/, "", comm); sub(/\)[^)]*$/, "", comm); gsub(/ /, "_", comm)
    n = split(after_comm(line), x, " ")
    if (n < 20) return
    # x[k] is field k + 2 of proc(5): ppid 4, utime 14, stime 15, cutime 16, cstime 17, starttime 22
    start[pid] = x[20]
    print "P", label, pid, x[2], x[20], x[12] + x[13], x[14] + x[15], comm
}

function status_lines(f,   line, k, name, tgid, tid, vol, inv, p, sched, ns) {
    name = "?"; vol = inv = -1
    while ((getline line < f) > 0) {
        k = line; sub(/:.*/, "", k)
        p = line; sub(/^[^:]*:[ \t]*/, "", p)
        if (k == "Name") { name = p; gsub(/ /, "_", name) }
        else if (k == "Tgid") tgid = p
        else if (k == "Pid") tid = p
        else if (k == "voluntary_ctxt_switches") vol = p
        else if (k == "nonvoluntary_ctxt_switches") inv = p
    }
    close(f)
    if (vol < 0) return
    sched = f; sub(/status$/, "schedstat", sched)
    ns = -1
    if ((getline line < sched) > 0) { split(line, x, " "); ns = x[1] }
    close(sched)
    print "T", label, tgid, (tgid in start) ? start[tgid] : "?", tid, vol, inv, name, ns
}
