#!/usr/bin/env bash
# orca-speech.sh -- what the screen reader Orca (Debian 12 package orca, 43.x) says about a Qt
# Widgets program, measured as a black box inside the private Xvfb session of xdrive.sh and the
# accessibility bus of a11y.sh. Orca runs with its default settings; its speech goes to a file
# instead of a synthesizer (no speech daemon, no sound).
#
#   . tools/screenreader/orca-speech.sh            # sources a11y.sh (and xdrive.sh) if not yet sourced
#   xd_start_x && a11y_start && orca_start || exit 1
#   orca_launch メインタイトル ./play  # start the program AFTER orca_start; focuses its window
#   orca_wait_said '^はじめから push button' 10 || echo "Orca did not read the focused button"
#   m=$(orca_mark); xd_key Tab
#   orca_wait_said '続きから' 5 "$m" && orca_said_since "$m"
#
#   Run as a script for a quick look:  tools/screenreader/orca-speech.sh [--debug] CMD [ARGS...]
#     starts Xvfb, the buses and Orca, runs CMD, and prints what Orca said until CMD exits
#     (or ORCA_RUN_SECONDS, default 20, pass). Drive it from another shell with DISPLAY=:N.
#
# Needs: orca (apt-get install orca; it pulls in python3-pyatspi, speech-dispatcher is not
# used), plus what a11y.sh and xdrive.sh need. orca-speech.py must sit beside this file.
#
# The speech file (ORCA_SPEECH) has one line per utterance, in the order Orca sent them:
#   HH:MM:SS.mmm <TAB> KIND <TAB> TEXT
#   KIND: speak   a string sent to the synthesizer (most of what Orca says)
#         char    a single character spoken as such
#         key     key echo (Orca's default: every key pressed is named, e.g. "space ", "tab ")
#         sayall  a say-all chunk
#         stop    Orca cut off whatever was still being spoken (measured: on every key press,
#                 and when a new window is activated; not on focus moves inside a window, nor
#                 before notifications); a real synthesizer drops what it had not yet said.
#                 Written even when nothing was being said
#         start   the recorder started (first line)
#   TEXT: LF is written \n, TAB \t, backslash \\.
#
# Functions (0 = success; reasons on stderr as "orca: ...")
#   orca_start [--debug]    starts Orca on $DISPLAY and the bus of a11y_start; waits until it
#                           said "Screen reader on" (up to ORCA_START_TIMEOUT s, default 20).
#                           --debug: also Orca's full debug log to $ORCA_DEBUG_LOG (large, slower)
#   orca_stop               ends that Orca (TERM, up to 5 s, then KILL; by PID)
#   orca_cleanup            orca_stop, then a11y_cleanup (programs, buses, Xvfb)
#   orca_launch CAPTION CMD [ARGS...]
#                           xd_launch CMD, waits for its window CAPTION and for the program to
#                           be on the accessibility bus, then focuses the window (no window
#                           manager) until Orca has read it (said CAPTION); sets XD_PID and
#                           ORCA_WIN (the window id). Call in the current shell, not in $(...)
#   orca_mark               prints a mark: the number of lines recorded so far
#   orca_lines_since MARK   the raw lines after MARK (all kinds)
#   orca_said_since [MARK]  TEXT of the speak/char/sayall lines after MARK (default 0), one per
#                           line: what a listener hears, without key echo
#   orca_wait_said REGEX [TIMEOUT] [MARK]
#                           waits (default XD_TIMEOUT s) until a spoken TEXT after MARK matches the
#                           extended REGEX (grep -E); prints the first matching line
#   orca_quiet [GAP] [TIMEOUT]
#                           waits until Orca has said nothing new for GAP s (default 1.5), at most
#                           TIMEOUT s (default 15)
#   orca_said_nothing_since MARK   true when no speak/char/sayall line came after MARK
#
# Settings: ORCA_SPEECH (the speech file; default $XD_WORK/orca/speech.tsv, removed with XD_WORK
#   by xd_cleanup unless XD_KEEP=1; set it to keep the record elsewhere), ORCA_DEBUG_LOG (default
#   $XD_WORK/orca/debug.log), ORCA_PYTHON (default /usr/bin/python3).
#
# Caveats
#   - Start the program after orca_start: Orca presents what it learns from events, and a
#     window that was focused before Orca came up is read only once it is activated again.
#   - Orca reads the focused object when a window is activated; plain Xvfb has no window
#     manager, so focus a new window (xd_wait_window does, XD_AUTOFOCUS=1) or Orca may say nothing.
#     A window focused before the program's accessibility bridge is up (xd_wait_window's 0.3 s
#     settle is not always enough on a busy machine) is never read: use orca_launch for the
#     first window (measured: 1 miss in 6 with no settle, 2 in 24 sessions with 0.3 s).
#   - Orca speaks asynchronously: wait for the words (orca_wait_said, orca_quiet), never sleep-and-grep.
#   - With Qt 6.4 (Debian 12) Orca 43 never speaks a name or description change, not even of
#     the focused control: Qt sends the object instead of the new text and Orca's handler fails
#     ("SPEECH: bad content sent to speak()" in the --debug log). Changes are heard only through
#     focus moves and shown objects of role notification.
#   - Checked by tools/screenreader/ear.sh (each game's check starts with it).
#   - Several Orcas may run at once, one per private session: the process is named "orca-speech",
#     it ignores other Orcas, and an `orca --replace` elsewhere does not see it.

ORCA_TOOLS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
declare -F a11y_start >/dev/null || . "$ORCA_TOOLS/a11y.sh"

ORCA_PID=
ORCA_SPEECH=${ORCA_SPEECH:-}
ORCA_DEBUG_LOG=${ORCA_DEBUG_LOG:-}
ORCA_PYTHON=${ORCA_PYTHON:-/usr/bin/python3}
ORCA_START_TIMEOUT=${ORCA_START_TIMEOUT:-20}

_orca_err() { echo "orca: $*" >&2; }

orca_start() {
    local debug=
    [[ ${1:-} == --debug ]] && debug=1
    [[ -n ${DISPLAY:-} ]] || { _orca_err "orca_start: DISPLAY not set (call xd_start_x first)"; return 1; }
    [[ -n ${A11Y_ADDRESS:-} ]] || { _orca_err "orca_start: no accessibility bus (call a11y_start first)"; return 1; }
    [[ -z $ORCA_PID ]] || { _orca_err "orca_start: already started (pid $ORCA_PID)"; return 1; }
    [[ -x /usr/bin/orca ]] || { _orca_err "orca not installed (apt-get install orca)"; return 1; }
    _xd_workdir || return 1
    local dir=$XD_WORK/orca
    mkdir -p "$dir/prefs" "$dir/data" "$dir/config" || return 1
    [[ -n $ORCA_SPEECH ]] || ORCA_SPEECH=$dir/speech.tsv
    [[ -n $ORCA_DEBUG_LOG ]] || ORCA_DEBUG_LOG=$dir/debug.log
    : >"$ORCA_SPEECH" || return 1

    case $(trap -p EXIT) in
        "" | "trap -- 'xd_cleanup' EXIT" | "trap -- 'a11y_cleanup' EXIT") trap orca_cleanup EXIT ;;
        "trap -- 'orca_cleanup' EXIT") ;;
        *) _orca_err "note: EXIT trap left as it is; call orca_stop (or orca_cleanup) yourself" ;;
    esac

    # its own data/config folders: nothing written to the user's home; settings in memory
    GSETTINGS_BACKEND=memory XDG_DATA_HOME=$dir/data XDG_CONFIG_HOME=$dir/config \
        "$ORCA_PYTHON" "$ORCA_TOOLS/orca-speech.py" "$ORCA_SPEECH" "$dir/prefs" \
        "${debug:+$ORCA_DEBUG_LOG}" >"$dir/orca.out" 2>"$dir/orca.err" &
    ORCA_PID=$!
    local dl; dl=$(_xd_deadline "$ORCA_START_TIMEOUT")
    until grep -q $'\tspeak\tScreen reader on' "$ORCA_SPEECH" 2>/dev/null; do
        if _a11y_gone "$ORCA_PID" || ! _xd_before "$dl"; then
            _orca_err "Orca did not come up: $(tail -n 5 "$dir/orca.err")"; orca_stop; return 1
        fi
        sleep 0.05
    done
    return 0
}

orca_stop() {
    local i
    [[ -n $ORCA_PID ]] || return 0
    if ! _a11y_gone "$ORCA_PID"; then
        kill -TERM "$ORCA_PID" 2>/dev/null      # Orca says goodbye and leaves the bus
        for (( i = 0; i < 100; i++ )); do _a11y_gone "$ORCA_PID" && break; sleep 0.05; done
        _a11y_gone "$ORCA_PID" || kill -KILL "$ORCA_PID" 2>/dev/null
    fi
    wait "$ORCA_PID" 2>/dev/null
    ORCA_PID=
    return 0
}

orca_cleanup() {
    local i
    # the programs first, while Orca still listens; then Orca, then the buses and Xvfb
    for (( i = ${#XD_PIDS[@]} - 1; i >= 0; i-- )); do _xd_stop "${XD_PIDS[i]}"; done
    XD_PIDS=()
    orca_stop
    a11y_cleanup
}

# _orca_wait_fixed TEXT TIMEOUT MARK -> waits until a spoken line after MARK contains TEXT
_orca_wait_fixed() {
    local dl; dl=$(_xd_deadline "$2")
    while :; do
        orca_said_since "$3" | grep -qF -- "$1" && return 0
        _xd_before "$dl" || return 1
        sleep 0.05
    done
}

orca_launch() {
    local cap=$1 m rc try old root
    shift
    m=$(orca_mark)
    xd_launch "$@" || return 1
    old=$XD_AUTOFOCUS; XD_AUTOFOCUS=0
    ORCA_WIN=$(xd_wait_window "$cap" "${ORCA_LAUNCH_TIMEOUT:-30}" "$XD_PID"); rc=$?
    XD_AUTOFOCUS=$old
    (( rc == 0 )) || return 1
    # focus only once the program is on the bus: a window activated before Qt's bridge is up
    # is never announced, and Orca stays silent until the next focus change
    a11y_wait "$XD_PID" "$cap" 15 || return 1
    root=$(xwininfo -root 2>/dev/null | awk '/Window id:/ { print $4; exit }')
    for try in 1 2 3; do
        xd_focus "$ORCA_WIN" || return 1
        _orca_wait_fixed "$cap" 4 "$m" && return 0
        # not read: take the focus away and give it back (a new window activation)
        [[ -n $root ]] && xdotool windowfocus "$root" 2>/dev/null
        sleep 0.3
    done
    _orca_err "orca_launch: Orca did not read window '$cap'; it said: $(orca_said_since "$m" | tr '\n' '|')"
    return 1
}

orca_mark() { if [[ -f $ORCA_SPEECH ]]; then wc -l <"$ORCA_SPEECH" | tr -d ' '; else echo 0; fi; }

orca_lines_since() { tail -n +"$(( ${1:-0} + 1 ))" "$ORCA_SPEECH" 2>/dev/null; }

orca_said_since() {
    orca_lines_since "${1:-0}" | awk -F'\t' '$2 == "speak" || $2 == "char" || $2 == "sayall" { print $3 }'
}

orca_wait_said() {
    local re=$1 to=${2:-$XD_TIMEOUT} mark=${3:-0} dl hit
    dl=$(_xd_deadline "$to")
    while :; do
        hit=$(orca_said_since "$mark" | grep -E -m1 -- "$re") && { printf '%s\n' "$hit"; return 0; }
        _xd_before "$dl" || break
        sleep 0.05
    done
    _orca_err "timeout (${to}s): Orca did not say /$re/; it said: $(orca_said_since "$mark" | tr '\n' '|')"
    return 1
}

orca_quiet() {
    local gap=${1:-1.5} to=${2:-15} dl n last since
    dl=$(_xd_deadline "$to")
    last=$(orca_mark); since=$(date +%s%N)
    while _xd_before "$dl"; do
        sleep 0.1
        n=$(orca_mark)
        if [[ $n != "$last" ]]; then last=$n; since=$(date +%s%N); continue; fi
        (( $(date +%s%N) - since >= $(awk -v s="$gap" 'BEGIN { printf "%.0f", s * 1e9 }') )) && return 0
    done
    _orca_err "orca_quiet: still talking after ${to}s"; return 1
}

orca_said_nothing_since() { [[ -z $(orca_said_since "$1") ]]; }

# Run as a script: start everything, run the command, print the record.
if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    dbg=
    [[ ${1:-} == --debug ]] && { dbg=--debug; shift; }
    (( $# )) || { echo "usage: $0 [--debug] CMD [ARGS...]" >&2; exit 2; }
    xd_start_x && a11y_start && orca_start $dbg || exit 1
    echo "orca: DISPLAY=$DISPLAY speech=$ORCA_SPEECH" >&2
    xd_launch "$@"
    dl=$(_xd_deadline "${ORCA_RUN_SECONDS:-20}")
    focused=
    while xd_alive "$XD_PID" && _xd_before "$dl"; do
        if [[ -z $focused ]]; then    # no window manager: give the first window the focus
            w=$(xdotool search --onlyvisible --pid "$XD_PID" 2>/dev/null | head -n1)
            [[ -n $w ]] && { a11y_wait "$XD_PID" "" 15; xd_focus "$w"; focused=1; }
        fi
        sleep 0.2
    done
    cat "$ORCA_SPEECH"
fi
