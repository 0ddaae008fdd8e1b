# Sourced by bench/footprint: the programs measured, and how each one is
# brought to its rest screen quickly without changing the program.

OUR_REST_POSITION=28          # settings byte 1: a rest of (28 + 1) * 2 = 58 minutes...
OUR_REST_AT_S=$((2 * 60 + 10 + 5))  # ...so the reminder comes at minute 2, the rest
                              # screen after the 10-second countdown; watched from 5 s later
SAFEEYES_BREAK_AT_S=$((60 + 10 + 15)) # a short break after a minute and a 10-second warning,
                                     # watched from 15 s in
PEER_PACKAGES=(workrave safeeyes xprintidle gir1.2-ayatanaappindicator3-0.1)

subject_name() {
    case $1 in
    verezerud) echo "Verezerud" ;;
    verezerud-aware) echo "Verezerud, both options on" ;;
    workrave) echo "Workrave" ;;
    safeeyes) echo "Safe Eyes" ;;
    esac
}

# subject_version S: the version a user of the program sees.
subject_version() {
    case $1 in
    verezerud*) "$BIN" --version 2>/dev/null | awk '{ print $NF; exit }' ;;
    *) dpkg-query -W -f='${Version}' "$1" 2>/dev/null | sed 's/-[^-]*$//' ;;
    esac
}

subject_command() {
    case $1 in
    verezerud) SUBJECT_CMD=("$BIN") ;;
    # Watching for the user away and busy: idle, logind, the active window...
    verezerud-aware) SUBJECT_CMD=("$BIN" --set away-counts-as-rest=on --set hold-while-busy=on) ;;
    workrave) SUBJECT_CMD=(workrave) ;;
    safeeyes) SUBJECT_CMD=(safeeyes) ;;
    esac
}

# subject_prepare S PHASE: the settings that bring the rest screen on soon.
subject_prepare() {
    local s=$1 phase=$2 home=$S_DIR/home
    [[ $phase == rest ]] || return 0
    case $s in
    verezerud*)
        mkdir -p "$home/.local/share/verezerud"
        printf "\\x00\\x$(printf %02x "$OUR_REST_POSITION")" >"$home/.local/share/verezerud/SettingT.tim"
        ;;
    safeeyes)
        # The packaged settings with a short break every minute, one long enough to
        # be watched, no long breaks before it, and no smart pause (with no input
        # under Xvfb it pauses Safe Eyes after 5 idle seconds).
        local conf=$home/.config/safeeyes packaged
        packaged=$(dirname "$(safeeyes_packaged_config)")
        mkdir -p "$conf/style"
        cp "$packaged/style/safeeyes_style.css" "$conf/style/"
        awk -v secs=$((REST_S + 60)) '
            /"short_break_interval"/ { sub(/[0-9]+/, "1") }
            /"long_break_interval"/ { sub(/[0-9]+/, "600") }
            /"short_break_duration"/ { sub(/[0-9]+/, secs) }
            /"id": "smartpause"/ { smart = 1 }
            smart && /"enabled"/ { sub(/true/, "false"); smart = 0 }
            { print }' "$packaged/safeeyes.json" >"$conf/safeeyes.json"
        ;;
    esac
}

safeeyes_packaged_config() {
    dpkg -L safeeyes 2>/dev/null | grep -m1 '/config/safeeyes.json$'
}

# subject_rest_at S: seconds from start until its rest screen is surely up.
# Workrave brings no break on under Xvfb: with no input it counts no time, and
# even a rest break set to ignore input (and a pointer moved by xdotool) did not
# come within 100 s, so its rest screen is not measured.
subject_rest_at() {
    case $1 in
    verezerud*) echo "$OUR_REST_AT_S" ;;
    safeeyes) echo "$SAFEEYES_BREAK_AT_S" ;;
    *) return 1 ;;
    esac
}

# subject_rest_check S WINDOWS: whether a window covering the screen was shown.
subject_rest_check() {
    local full=${SCREEN_GEOMETRY%x*}
    [[ $2 == "?" || " $2 " == *" $full "* ]]
}

peers_install() {
    if command -v workrave >/dev/null && command -v safeeyes >/dev/null &&
       command -v xprintidle >/dev/null; then
        return 0
    fi
    ((EUID == 0)) || { note "the peers are not installed and only root may install them"; return 1; }
    note "installing ${PEER_PACKAGES[*]}"
    apt-get install -y "${PEER_PACKAGES[@]}" >"$WORK/apt.log" 2>&1 ||
        { apt-get update >>"$WORK/apt.log" 2>&1 && apt-get install -y "${PEER_PACKAGES[@]}" >>"$WORK/apt.log" 2>&1; }
}
