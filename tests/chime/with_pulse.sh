#!/bin/sh
# Runs a command against a private PulseAudio server that has one null sink,
# "vz", as its only output; its monitor "vz.monitor" hears what is played.
# Everything the server needs lives in a fresh temporary folder, so tests may
# run side by side and as root. Exits 77 (skipped) when no server can start.
set -u

if ! command -v pulseaudio >/dev/null 2>&1 || ! command -v parecord >/dev/null 2>&1; then
    echo "pulseaudio or parecord is not installed" >&2
    exit 77
fi

dir=$(mktemp -d "${TMPDIR:-/tmp}/vz-pulse.XXXXXX") || exit 77
mkdir -p "$dir/home" "$dir/run/pulse" "$dir/config"
chmod 700 "$dir/run" "$dir/run/pulse"
export HOME="$dir/home" XDG_RUNTIME_DIR="$dir/run" XDG_CONFIG_HOME="$dir/config"
export PULSE_RUNTIME_PATH="$dir/run/pulse"
export PULSE_SERVER="unix:$dir/run/pulse/native"
unset DISPLAY DBUS_SESSION_BUS_ADDRESS

pulseaudio --system=false --daemonize=no -n --use-pid-file=no --realtime=no \
    --high-priority=no --exit-idle-time=-1 --disallow-exit --log-target=stderr \
    --load="module-null-sink sink_name=vz" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$dir/run/pulse/native" \
    >"$dir/pulse.log" 2>&1 &
server=$!

stop_server() {
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
    rm -rf "$dir"
}

tries=0
until pactl info >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ] || ! kill -0 "$server" 2>/dev/null; then
        echo "the sound server did not start:" >&2
        cat "$dir/pulse.log" >&2
        stop_server
        exit 77
    fi
    sleep 0.1
done

"$@"
status=$?
stop_server
exit $status
