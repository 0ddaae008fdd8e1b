# Sourced by bench/footprint: a fresh desktop session for one program at a time.
#
# Each session has its own X server (Xvfb), its own home with empty XDG folders,
# a private D-Bus session bus and a private system-like bus, so that nothing is
# shared with the machine or with the program measured before. Every process
# of the session carries FOOTPRINT_TAG in its environment: that is how helper
# services that D-Bus starts, and that leave the program's process tree, are
# still found and counted. A private PulseAudio server stands in for the
# desktop's sound server.

SCREEN_GEOMETRY=1920x1080x24
READY_TIMEOUT_S=10

# session_open NAME: sets S_DIR, S_TAG, S_DISPLAY, S_XVFB, S_SYSBUS, S_SESBUS, S_ENV.
session_open() {
    local name=$1
    S_DIR=$WORK/$name
    S_TAG=footprint-$$-$name
    rm -rf "$S_DIR"
    mkdir -p "$S_DIR/home/.config" "$S_DIR/home/.local/share" "$S_DIR/home/.cache" "$S_DIR/run"
    chmod 700 "$S_DIR/run"

    # Xvfb picks a free display itself and writes its number once it accepts clients.
    local fifo=$S_DIR/display.fifo
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "$SCREEN_GEOMETRY" -nolisten tcp -noreset \
        3>"$fifo" >"$S_DIR/xvfb.log" 2>&1 &
    S_XVFB=$!
    local number=
    read -r -t "$READY_TIMEOUT_S" number <"$fifo" || true
    rm -f "$fifo"
    [[ $number =~ ^[0-9]+$ ]] || die "Xvfb did not start (see $S_DIR/xvfb.log)"
    S_DISPLAY=:$number

    local base=(PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 USER=${USER:-root} LOGNAME=${USER:-root}
        HOME=$S_DIR/home XDG_CONFIG_HOME=$S_DIR/home/.config XDG_DATA_HOME=$S_DIR/home/.local/share
        XDG_CACHE_HOME=$S_DIR/home/.cache XDG_RUNTIME_DIR=$S_DIR/run DISPLAY=$S_DISPLAY
        FOOTPRINT_TAG=$S_TAG)

    # A system bus of our own: some programs wait forever for one that is missing.
    cat >"$S_DIR/system-bus.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$S_DIR/run/system_bus_socket</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_type="method_call"/>
    <allow send_type="signal"/>
    <allow send_destination="*"/>
    <allow receive_sender="*"/>
  </policy>
</busconfig>
EOF
    bus_start system --config-file="$S_DIR/system-bus.conf" || die "no private system bus"
    S_SYSBUS=$BUS_PID
    base+=(DBUS_SYSTEM_BUS_ADDRESS=$BUS_ADDRESS)  # for the services the session bus starts too
    bus_start session --session || die "no D-Bus session bus"
    S_SESBUS=$BUS_PID
    S_ENV=("${base[@]}" DBUS_SESSION_BUS_ADDRESS=$BUS_ADDRESS)
    sound_start
}

# sound_start: a sound server of the session's own with one null output, where
# PulseAudio is installed, so that a chime really goes through the audio stack;
# clients find it at its usual place in XDG_RUNTIME_DIR.
sound_start() {
    S_SOUND=
    command -v pulseaudio >/dev/null || return 0
    local socket=$S_DIR/run/pulse/native i
    mkdir -p "$S_DIR/run/pulse"
    chmod 700 "$S_DIR/run/pulse"
    env -i "${S_ENV[@]}" pulseaudio --system=false --daemonize=no -n --use-pid-file=no \
        --realtime=no --high-priority=no --exit-idle-time=-1 --disallow-exit --log-target=stderr \
        --load="module-null-sink sink_name=footprint" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$socket" \
        >"$S_DIR/sound.log" 2>&1 &
    S_SOUND=$!
    for ((i = 0; i < READY_TIMEOUT_S * 100; i++)); do
        [[ -S $socket ]] && return 0
        nap 0.01
    done
    die "the sound server did not start (see $S_DIR/sound.log)"
}

# bus_start NAME ARGS...: starts a dbus-daemon in the session's environment (the
# caller's local `base`) and sets BUS_PID and BUS_ADDRESS once it listens.
bus_start() {
    local name=$1; shift
    local file=$S_DIR/$name-bus.address i
    env -i "${base[@]}" dbus-daemon "$@" --nofork --print-address=3 \
        3>"$file" >"$S_DIR/$name-bus.log" 2>&1 &
    BUS_PID=$!
    BUS_ADDRESS=
    for ((i = 0; i < READY_TIMEOUT_S * 100; i++)); do
        [[ -s $file ]] && read -r BUS_ADDRESS <"$file"
        [[ -n $BUS_ADDRESS ]] && return 0
        nap 0.01
    done
    return 1
}

# session_pids: every live process of the session but the two buses and the
# sound server we started, which every desktop has anyway.
session_pids() {
    local f p
    for f in $(grep -lzx "FOOTPRINT_TAG=$S_TAG" /proc/[0-9]*/environ 2>/dev/null); do
        p=${f#/proc/}; p=${p%/environ}
        [[ $p == "$S_SYSBUS" || $p == "$S_SESBUS" || $p == "${S_SOUND:-}" ]] && continue
        echo "$p"
    done
}

# session_close: ends the program, every helper it brought up, the buses and the X server.
session_close() {
    local pids p i
    pids=$(session_pids)
    [[ -n $pids ]] && kill -TERM $pids 2>/dev/null
    for ((i = 0; i < 300; i++)); do
        pids=$(session_pids)
        [[ -z $pids ]] && break
        nap 0.01
    done
    [[ -n $pids ]] && kill -KILL $pids 2>/dev/null
    for p in "${S_SOUND:-}" "$S_SESBUS" "$S_SYSBUS" "$S_XVFB"; do
        [[ -n $p ]] && kill -TERM "$p" 2>/dev/null
    done
    wait 2>/dev/null
    S_SESBUS= S_SYSBUS= S_XVFB= S_SOUND=
}
