# a11y.sh -- read a Qt Widgets program's widget tree through the accessibility bus (AT-SPI2),
# as a screen reader does, inside the private Xvfb session of xdrive.sh.
#
#   . tools/screenreader/a11y.sh                # sources xdrive.sh too, if not yet sourced
#   xd_start_x && a11y_start       # Xvfb, then a private session bus + AT-SPI bus
#   xd_launch ./play               # programs started after a11y_start expose their tree
#   a11y_dump "$XD_PID" --window メインタイトル
#
#   a11y_names "$XD_PID" メッセージパート label    # the texts of all labels
#
# Only programs started after a11y_start (with its environment) are on the bus; one
# started with QT_QPA_PLATFORM=offscreen is never (Qt's bridge lives in the xcb plugin).
#
# Needs (Debian 12): dbus-daemon (dbus-daemon), at-spi-bus-launcher and at-spi2-registryd
# (at-spi2-core), python3-gi, gir1.2-atspi-2.0; plus what xdrive.sh needs.
#
# What a11y_start does (all PIDs kept; each process is a child of this shell, but for the
# accessibility bus, the launcher's child):
#   1. a session dbus-daemon with no service activation (nothing can be auto-started on it);
#   2. at-spi-bus-launcher --launch-immediately --a11y=1: owns org.a11y.Bus on that bus,
#      starts the accessibility bus (its own dbus-daemon child, socket under
#      $XDG_RUNTIME_DIR/at-spi/) and reports it enabled;
#   3. at-spi2-registryd on the accessibility bus (started here, not by bus activation);
#   4. exports DBUS_SESSION_BUS_ADDRESS and QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 (Qt 6 then
#      exposes its tree even if nobody says that a screen reader runs), and unsets
#      AT_SPI_BUS_ADDRESS (Qt 6.4 given it exposes nothing). The old values come back on
#      a11y_stop.
#   If the shell's EXIT trap is empty or "xd_cleanup", a11y_start
#   replaces it with a11y_cleanup, so nothing is left running.
#
# Functions (0 = success; reasons on stderr as "a11y: ...")
#   a11y_start                   needs DISPLAY (xd_start_x); call in the current shell
#   a11y_stop                    stops what a11y_start started (by PID), restores the env
#   a11y_cleanup                 programs of xd_launch, then a11y_stop, then xd_cleanup
#   a11y_dump PID [OPTIONS]      runs a11y-dump.py (see a11y-dump.py --help)
#   a11y_wait PID [CAPTION] [TIMEOUT]
#                                waits until PID is on the bus (with a showing window CAPTION)
#   a11y_find PID CAPTION ROLE NAME
#                                TSV line(s) of the showing objects with that role and name
#   a11y_names PID CAPTION ROLE  the names of the window's objects of ROLE, one per line, in
#                                child order (hidden ones too); e.g. the texts of all labels.
#                                Names come escaped as in the dump (LF as \n, TAB as \t)
#   a11y_click PID CAPTION NAME [ROLE]
#                                clicks (xdotool, screen coordinates) the centre of the showing
#                                object named NAME (default role push_button) in window CAPTION
#
# Settings: A11Y_PYTHON (interpreter with python3-gi; default: Debian's /usr/bin/python3 if
#   it has gi, else python3), A11Y_LAUNCHER / A11Y_REGISTRYD (paths of the at-spi2-core
#   programs, if not in the usual libexec places).

A11Y_TOOLS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
declare -F xd_start_x >/dev/null || . "$A11Y_TOOLS/xdrive.sh"

A11Y_SESSION_PID=      # our session dbus-daemon
A11Y_LAUNCHER_PID=     # at-spi-bus-launcher
A11Y_BUS_PID=          # the launcher's dbus-daemon for the accessibility bus (its child)
A11Y_REGISTRY_PID=     # at-spi2-registryd
A11Y_DIR=
A11Y_ADDRESS=          # address of the accessibility bus
A11Y_VARS=(DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS QT_LINUX_ACCESSIBILITY_ALWAYS_ON)
A11Y_OLD_ENV=()

_a11y_err() { echo "a11y: $*" >&2; }

_a11y_find_exe() {  # NAME OVERRIDE -> path
    local c
    for c in "$2" "/usr/libexec/$1" "/usr/lib/at-spi2-core/$1" "/usr/lib/at-spi2/$1" "$(command -v "$1" 2>/dev/null)"; do
        [[ -n $c && -x $c ]] && { echo "$c"; return 0; }
    done
    _a11y_err "$1 not found (apt-get install at-spi2-core)"; return 1
}

# _a11y_pick_python -> sets A11Y_PYTHON once: Debian's python3 if it has gi, else python3
#   (a pyenv python3 first on PATH has no python3-gi, and costs ~90 ms to start)
_a11y_pick_python() {
    [[ -n ${A11Y_PYTHON:-} ]] && return 0
    if [[ -x /usr/bin/python3 ]] && /usr/bin/python3 -c 'import gi' 2>/dev/null; then
        A11Y_PYTHON=/usr/bin/python3
    else
        A11Y_PYTHON=python3
    fi
}

# _a11y_gone PID -> true when PID is not running (a zombie counts as gone)
_a11y_gone() {
    local st
    st=$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null) || return 0
    [[ -z $st || $st == Z ]]
}

# _a11y_end PID -> TERM, up to 2 s, then KILL; reaps it if it is our child
_a11y_end() {
    local pid=$1 i
    [[ -n $pid ]] || return 0
    if ! _a11y_gone "$pid"; then
        kill -TERM "$pid" 2>/dev/null
        for (( i = 0; i < 40; i++ )); do _a11y_gone "$pid" && break; sleep 0.05; done
        _a11y_gone "$pid" || kill -KILL "$pid" 2>/dev/null
    fi
    wait "$pid" 2>/dev/null
    return 0
}

# _a11y_owner_pid ADDRESS NAME -> PID of the process owning NAME on the bus at ADDRESS
_a11y_owner_pid() {
    dbus-send --bus="$1" --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.GetConnectionUnixProcessID "string:$2" 2>/dev/null | awk '{ print $NF }'
}

a11y_start() {
    [[ -n ${DISPLAY:-} ]] || { _a11y_err "a11y_start: DISPLAY not set (call xd_start_x first)"; return 1; }
    [[ -z $A11Y_SESSION_PID ]] || { _a11y_err "a11y_start: already started"; return 1; }
    local launcher registryd dl i
    launcher=$(_a11y_find_exe at-spi-bus-launcher "${A11Y_LAUNCHER:-}") || return 1
    registryd=$(_a11y_find_exe at-spi2-registryd "${A11Y_REGISTRYD:-}") || return 1
    command -v dbus-daemon >/dev/null && command -v dbus-send >/dev/null ||
        { _a11y_err "dbus-daemon/dbus-send not found (apt-get install dbus-daemon dbus-bin)"; return 1; }
    _a11y_pick_python
    _xd_workdir || return 1
    A11Y_DIR=$XD_WORK/a11y
    mkdir -p "$A11Y_DIR" || return 1

    case $(trap -p EXIT) in
        "" | "trap -- 'xd_cleanup' EXIT") trap a11y_cleanup EXIT ;;
        "trap -- 'a11y_cleanup' EXIT") ;;
        *) _a11y_err "note: EXIT trap left as it is; call a11y_stop (or a11y_cleanup) yourself" ;;
    esac

    # 1. session bus without service activation
    cat >"$A11Y_DIR/session.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$A11Y_DIR/session-bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
    dbus-daemon --config-file="$A11Y_DIR/session.conf" --nofork --nopidfile --print-address=1 \
        >"$A11Y_DIR/session.addr" 2>"$A11Y_DIR/session.log" &
    A11Y_SESSION_PID=$!
    dl=$(_xd_deadline 5)
    until [[ -s $A11Y_DIR/session.addr ]]; do
        if _a11y_gone "$A11Y_SESSION_PID" || ! _xd_before "$dl"; then
            _a11y_err "session bus did not start: $(cat "$A11Y_DIR/session.log")"; a11y_stop; return 1
        fi
        sleep 0.02
    done
    A11Y_OLD_ENV=()
    local v
    for v in "${A11Y_VARS[@]}"; do A11Y_OLD_ENV+=("${!v+set}" "${!v-}"); done
    export DBUS_SESSION_BUS_ADDRESS
    DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$A11Y_DIR/session.addr")

    # 2. the launcher and its accessibility bus
    GSETTINGS_BACKEND=memory "$launcher" --launch-immediately --a11y=1 >"$A11Y_DIR/launcher.log" 2>&1 &
    A11Y_LAUNCHER_PID=$!
    dl=$(_xd_deadline 5)
    while :; do
        A11Y_ADDRESS=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
                       org.a11y.Bus.GetAddress 2>/dev/null | sed 's/^ *//')
        [[ -n $A11Y_ADDRESS ]] && break
        if _a11y_gone "$A11Y_LAUNCHER_PID" || ! _xd_before "$dl"; then
            _a11y_err "at-spi-bus-launcher did not come up: $(cat "$A11Y_DIR/launcher.log")"; a11y_stop; return 1
        fi
        sleep 0.02
    done
    A11Y_BUS_PID=$(ps -o pid= --ppid "$A11Y_LAUNCHER_PID" 2>/dev/null | tr -d ' ' | head -n1)

    # 3. the registry, before any client could make the bus activate one
    AT_SPI_BUS_ADDRESS=$A11Y_ADDRESS "$registryd" >"$A11Y_DIR/registryd.log" 2>&1 &
    A11Y_REGISTRY_PID=$!
    dl=$(_xd_deadline 5)
    until dbus-send --bus="$A11Y_ADDRESS" --print-reply=literal --dest=org.freedesktop.DBus \
            /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner string:org.a11y.atspi.Registry 2>/dev/null |
          grep -q true; do
        if _a11y_gone "$A11Y_REGISTRY_PID" || ! _xd_before "$dl"; then
            _a11y_err "at-spi2-registryd did not come up: $(cat "$A11Y_DIR/registryd.log")"; a11y_stop; return 1
        fi
        sleep 0.02
    done

    # 4. environment for the programs started from now on. Not AT_SPI_BUS_ADDRESS: given
    #    that, Qt 6.4 connects to the bus but never switches its bridge on (nothing exposed).
    #    Clients find the bus through the session bus or the AT_SPI_BUS property that the
    #    launcher put on the X root window; a11y_dump passes it explicitly.
    unset AT_SPI_BUS_ADDRESS
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    return 0
}

a11y_stop() {
    local reg i v
    # a registry started by bus activation (if ours died) is the bus's child: end it by PID too
    if [[ -n $A11Y_ADDRESS ]]; then
        reg=$(_a11y_owner_pid "$A11Y_ADDRESS" org.a11y.atspi.Registry)
        [[ -n $reg && $reg != "$A11Y_REGISTRY_PID" ]] && _a11y_end "$reg"
    fi
    _a11y_end "$A11Y_REGISTRY_PID"
    _a11y_end "$A11Y_LAUNCHER_PID"        # takes its accessibility bus down with it
    _a11y_end "$A11Y_BUS_PID"             # in case it did not
    _a11y_end "$A11Y_SESSION_PID"
    A11Y_REGISTRY_PID= A11Y_LAUNCHER_PID= A11Y_BUS_PID= A11Y_SESSION_PID= A11Y_ADDRESS=
    if (( ${#A11Y_OLD_ENV[@]} )); then
        for (( i = 0; i < ${#A11Y_VARS[@]}; i++ )); do
            v=${A11Y_VARS[i]}
            if [[ ${A11Y_OLD_ENV[2*i]} == set ]]; then export "$v=${A11Y_OLD_ENV[2*i+1]}"; else unset "$v"; fi
        done
        A11Y_OLD_ENV=()
    fi
    return 0
}

a11y_cleanup() {
    local i
    for (( i = ${#XD_PIDS[@]} - 1; i >= 0; i-- )); do _xd_stop "${XD_PIDS[i]}"; done
    XD_PIDS=()
    a11y_stop
    xd_cleanup
}

a11y_dump() {
    _a11y_pick_python
    if [[ -n $A11Y_ADDRESS ]]; then
        AT_SPI_BUS_ADDRESS=$A11Y_ADDRESS "$A11Y_PYTHON" "$A11Y_TOOLS/a11y-dump.py" "$@"
    else
        "$A11Y_PYTHON" "$A11Y_TOOLS/a11y-dump.py" "$@"
    fi
}

a11y_wait() {
    local pid=$1 cap=${2:-} to=${3:-$XD_TIMEOUT}
    if [[ -n $cap ]]; then
        a11y_dump "$pid" --wait "$to" --window "$cap" --fields role >/dev/null
    else
        a11y_dump "$pid" --wait "$to" --fields role >/dev/null
    fi || { _a11y_err "timeout (${to}s) waiting for pid $pid${cap:+ window '$cap'} on the accessibility bus"; return 1; }
}

a11y_find() {
    a11y_dump "$1" --window "$2" --role "$3" |
        A11Y_N=$4 awk -F'\t' '$4 == ENVIRON["A11Y_N"] && $6 == 1 { print; f = 1 } END { exit !f }'
}

a11y_names() { a11y_dump "$1" --window "$2" --role "$3" --fields name; }

a11y_click() {
    local pid=$1 cap=$2 name=$3 role=${4:-push_button} pos
    pos=$(a11y_dump "$pid" --window "$cap" --role "$role" --fields name,showing,sx,sy,w,h |
          A11Y_N=$name awk -F'\t' '$1 == ENVIRON["A11Y_N"] && $2 == 1 { print $3 + int($5 / 2), $4 + int($6 / 2); exit }')
    [[ -n $pos ]] || { _a11y_err "a11y_click: no showing $role '$name' in window '$cap' of pid $pid"; return 1; }
    # screen coordinates: no need to map the caption to an X window (two may share it).
    # `mousemove --sync` to where the pointer already is hangs ~15 s in xdotool: skip it then.
    local here
    here=$(xdotool getmouselocation 2>/dev/null | sed -n 's/^x:\([0-9-]*\) y:\([0-9-]*\) .*/\1 \2/p')
    if [[ $here != "$pos" ]]; then
        xdotool mousemove --sync $pos || { _a11y_err "a11y_click: pointer move failed"; return 1; }
    fi
    xdotool click 1 || { _a11y_err "a11y_click: click failed"; return 1; }
}
