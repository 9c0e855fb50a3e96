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
# EAR_NAME_EVENTS=FILE records every name change on the accessibility bus (name-events.py).

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
    [[ -n ${EAR_EVENTS_PID:-} ]] && kill "$EAR_EVENTS_PID" 2>/dev/null
    orca_cleanup
    trap - EXIT
    echo "$EAR_PASS passed, $EAR_FAIL failed"
    exit $(( EAR_FAIL > 0 ))
}

ear_start() {
    [[ -x $EAR_GAME ]] || { echo "not ok - no game at $EAR_GAME (build it first)"; ear_finish; }
    ear_check "Xvfb, the accessibility bus and Orca start" eval 'xd_start_x && a11y_start && orca_start' || ear_finish
    trap ear_finish EXIT
    # EAR_NAME_EVENTS=FILE: every name change the screen reader receives, a line each.
    if [[ -n ${EAR_NAME_EVENTS:-} ]]; then
        "${ORCA_PYTHON:-/usr/bin/python3}" "$EAR_DIR/name-events.py" "$EAR_NAME_EVENTS" & EAR_EVENTS_PID=$!
    fi
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

# What a listener did not hear to its end: each sentence after MARK (default the mark) that Orca
# stopped before a voice could have said it. A voice says the sentences in turn, each from when it
# was sent or the one before it ended, at EAR_MORAE_PER_S (default 8, an ordinary Japanese rate):
# a kana is one mora, a kanji or a digit two (most take two or more), three Latin letters one
# (Orca's own English words), punctuation none. A stop cuts every sentence not yet ended. Prints
# "cut after N of M ms: TEXT", one a line.
ear_cut() { _ear_voice cut "${1:-$EAR_MARK}"; }

# Waits, as a listener does before the next key, until the voice would have said everything sent
# since MARK (default the mark); at most 120 s.
ear_listen() {
    local left i
    for (( i = 0; i < 240; i++ )); do
        orca_quiet 0.5 10
        left=$(_ear_voice left "${1:-$EAR_MARK}")
        awk -v l="$left" 'BEGIN { exit !(l <= 0) }' && return 0
        sleep "$left"
    done
}

_ear_voice() {
    orca_lines_since "$2" | python3 -c '
import sys, datetime
mode, rate = sys.argv[1], float(sys.argv[2])
def secs(s):
    h, m, r = s.split(":")
    return (int(h) * 60 + int(m)) * 60 + float(r)
def morae(text):
    def one(c):
        if c in " 、。，．,.！!？?・「」『』（）()　…ー": return 0
        if c.isascii() and c.isalpha(): return 1 / 3  # English words of the screen reader: a syllable in three letters
        return 1 if "\u3040" <= c <= "\u30ff" else 2
    return sum(map(one, text))
queue, free = [], 0.0  # sentences not yet ended (start, end, text); when the voice is free
for line in sys.stdin:
    parts = line.rstrip("\n").split("\t", 2)
    if len(parts) < 3: continue
    at, kind, text = secs(parts[0]), parts[1], parts[2]
    queue = [q for q in queue if q[1] > at]
    if kind == "speak":
        start = max(at, free)
        free = start + morae(text) / rate
        queue.append((start, free, text))
    elif kind == "stop":
        for start, end, said in queue:
            if mode == "cut": print("cut after %d of %d ms: %s" % (max(0, at - start) * 1000, (end - start) * 1000, said))
        queue, free = [], at
if mode == "left":
    now = datetime.datetime.now()
    print("%.3f" % (free - (now.hour * 3600 + now.minute * 60 + now.second + now.microsecond / 1e6)))
' "$1" "${EAR_MORAE_PER_S:-8}"
}
# Whether none of the sentences after MARK matching REGEX was cut.
ear_uncut() { ! ear_cut "${2:-$EAR_MARK}" | grep -qE -- "$1"; }

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
    # The button the code opened takes the focus; Tab only when it did not.
    ear_heard "^$button" 3 >/dev/null || ear_tab_to "^$button" || return 1
    ear_keys Return
    xd_wait_window "$window" 10 >/dev/null || return 1
    ear_heard "$window" 10 >/dev/null
}
