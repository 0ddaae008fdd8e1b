# What a session spent between the first and the last snapshot of one phase.
#   awk -v phase=idle -v main=PID -v hz=CLK_TCK -f spend.awk SAMPLES
# Prints "name value" lines: CPU in seconds and context switches for the
# program's own process and for the others of its session (children and the
# helper services it brought up), the processes seen to start, the memory of
# the phase, and one "thread" line per thread of the program.
#
# CPU: the scheduler's time of every thread (ns, where the kernel keeps it),
# else a process's own clock ticks; and the ticks of the children that a
# process reaped since the first look, which count as other processes'. A
# child that ended and was reaped by a process of the session is in its
# parent's account, so its own time is not counted twice. Context switches
# have no such account, so a process or thread that ends between two looks
# loses its last switches, and one that lives less than a look apart is seen
# only as a process started.
{
    split($2, l, "/")
    if (l[1] != phase) next
    seq = l[2] + 0
    if (!(seq in seen_seq)) { seen_seq[seq] = 1; if (first == "" || seq < first) first = seq; if (seq > last) last = seq }
}
$1 == "P" {
    k = $3 ":" $5
    ppid[k] = $4; pid_of[k] = $3; comm[k] = $8
    if (seq == first) { base[k] = $6; cbase[k] = $7 }
    now[k] = $6; cnow[k] = $7; at[k] = seq
    procs[k] = 1
}
$1 == "T" {
    k = $3 ":" $4 ":" $5
    if (seq == first) { tbase_v[k] = $6; tbase_i[k] = $7; tbase_ns[k] = $9 }
    tv[k] = $6; ti[k] = $7; tat[k] = seq; tpid[k] = $3; tcomm[k] = $8; tns[k] = $9
    tproc[k] = $3 ":" $4
    if ($9 == "" || $9 < 0) no_ns = 1
}
$1 == "M" {
    if ($3 == main) { rss_main += $4; pss_main += $5 }
    else { rss_other += $4; pss_other += $5; others_mem = others_mem " " $6 }
}
END {
    for (k in procs) if (at[k] == last) alive[pid_of[k]] = 1
    for (k in procs) {
        b = (k in base) ? base[k] : 0
        cb = (k in cbase) ? cbase[k] : 0
        reaped[k] = !(at[k] == last || !(ppid[k] in alive))
        if (!reaped[k]) { d = now[k] - b; cd = cnow[k] - cb }
        else { d = -b; cd = -cb }  # its whole time is in its parent's account now
        if (no_ns) { if (pid_of[k] == main) cpu_main += d; else cpu_other += d }
        cpu_other += cd  # reaped children are other processes
        if (!(k in base)) started++
    }
    for (k in tv) {
        if (!no_ns) {
            dn = (tproc[k] in reaped && reaped[tproc[k]]) ? -((k in tbase_ns) ? tbase_ns[k] : 0) \
                 : tns[k] - ((k in tbase_ns) ? tbase_ns[k] : 0)
            if (tpid[k] == main) cpu_main += dn * hz / 1e9; else cpu_other += dn * hz / 1e9
        }
        dv = tv[k] - ((k in tbase_v) ? tbase_v[k] : 0)
        di = ti[k] - ((k in tbase_i) ? tbase_i[k] : 0)
        if (tpid[k] == main) {
            vol_main += dv; inv_main += di
            if (tat[k] == last) threads_main++
            print "thread", tcomm[k], dv, di
        } else { vol_other += dv; inv_other += di }
    }
    printf "cpu_main %.3f\ncpu_other %.3f\n", cpu_main / hz, cpu_other / hz
    print "vol_main", vol_main + 0; print "inv_main", inv_main + 0
    print "vol_other", vol_other + 0; print "inv_other", inv_other + 0
    print "started", started + 0
    print "threads_main", threads_main + 0
    print "looks", last - first + 1
    if (rss_main != "") {
        print "rss_main", rss_main; print "pss_main", pss_main
        print "rss_other", rss_other + 0; print "pss_other", pss_other + 0
        print "others_mem", (others_mem == "" ? "-" : substr(others_mem, 2))
    }
}
