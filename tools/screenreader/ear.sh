# ear.sh -- plays the game by keys alone and listens to what the screen reader Orca says, as a
# player who cannot see the screen would. Source it from a check script (see games/*.sh):
#
#   . tools/screenreader/ear.sh
#   ear_start                      # Xvfb, the accessibility bus, Orca, the game at its title
#   ear_warp 5339 鍵開け 鍵を開けろ！   # 続きから, the code, Enter, Tab to the button, into the game
#   ear_keys Up                    # keys, as xdotool names them; the mark moves first
#   ear_heard 'ヒット[0-9]' 10       # waits for an utterance after the mark; prints it
#   ear_check "heard the result" ear_heard '...' 10
#   ear_finish                     # cleans up, prints "N passed, N failed", exits
#
# Needs: orca, xvfb, xdotool, x11-utils, dbus-daemon, at-spi2-core, python3-gi,
# gir1.2-atspi-2.0, python3-pyatspi (apt-get install them; not needed by the build or CI).
# EAR_GAME: the game binary (default build/src/nonoka). EAR_KEEP=1 keeps Orca's record.

EAR_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
EAR_ROOT=$(cd "$EAR_DIR/../.." && pwd)
. "$EAR_DIR/orca-speech.sh"
EAR_GAME=${EAR_GAME:-$EAR_ROOT/build/src/nonoka}
EAR_PASS=0
EAR_FAIL=0
EAR_MARK=0

ear_check() {
    local what=$1; shift
    if "$@"; then echo "ok - $what"; EAR_PASS=$((EAR_PASS + 1)); return 0; fi
    echo "not ok - $what"; EAR_FAIL=$((EAR_FAIL + 1)); return 1
}

ear_finish() {
    [[ ${EAR_KEEP:-0} == 1 && -f ${ORCA_SPEECH:-} ]] && cp "$ORCA_SPEECH" "${EAR_RECORD:-/tmp/ear-speech.tsv}"
    orca_cleanup
    trap - EXIT
    echo "$EAR_PASS passed, $EAR_FAIL failed"
    exit $(( EAR_FAIL > 0 ))
}

ear_start() {
    [[ -x $EAR_GAME ]] || { echo "not ok - no game at $EAR_GAME (build it first)"; ear_finish; }
    ear_check "Xvfb, the accessibility bus and Orca start" eval 'xd_start_x && a11y_start && orca_start' || ear_finish
    trap ear_finish EXIT
    EAR_MARK=$(orca_mark)
    ear_check "the title is read" orca_launch メインタイトル "$EAR_GAME" || ear_finish
    orca_quiet 1 10
}

# Everything said from here on is what the next check listens to.
ear_mark() { EAR_MARK=$(orca_mark); }
ear_keys() { ear_mark; xd_key "$@"; }
ear_type() { ear_mark; xd_type "$1"; }
ear_heard() { orca_wait_said "$1" "${2:-10}" "$EAR_MARK"; }
# What has been said since the mark, one utterance a line.
ear_since() { orca_said_since "$EAR_MARK"; }

# Tab (at most 30 times) until the focused control Orca reads matches REGEX.
ear_tab_to() {
    local re=$1 i
    for (( i = 0; i < 30; i++ )); do
        ear_keys Tab
        orca_wait_said . 2 "$EAR_MARK" >/dev/null 2>&1  # the control that took the focus
        ear_since | grep -qE -- "$re" && return 0
    done
    _orca_err "ear_tab_to: never reached /$re/"
    return 1
}

# From the title: 続きから, the code typed into the warp zone, Enter, then Tab to the button of
# that caption and Enter on it, until the window of WINDOW_CAPTION is read.
ear_warp() {
    local code=$1 button=$2 window=$3
    ear_tab_to '^続きから' || return 1
    ear_keys Return
    xd_wait_window ワープゾーン 10 >/dev/null || return 1
    ear_heard 'ワープゾーン' 10 >/dev/null || return 1
    orca_quiet 0.5 5
    ear_type "$code"
    ear_keys Return
    ear_tab_to "^$button" || return 1
    ear_keys Return
    xd_wait_window "$window" 10 >/dev/null || return 1
    ear_heard "$window" 10 >/dev/null
}
