# xdrive.sh -- black-box X11 driver for acceptance checks of a Qt Widgets program.
#
# Source it from bash:   . tools/screenreader/xdrive.sh ; trap xd_cleanup EXIT
# Needs (Debian): xvfb xdotool x11-utils imagemagick, and cc + libx11-dev for the
# close-request helper (libx11-dev comes with qt6-base-dev).
#
# Conventions
#   - Every function returns 0 on success and non-zero on failure/timeout; it prints a
#     reason on stderr ("xdrive: ...") when it fails.
#   - Window ids are decimal X ids, as xdotool prints them.
#   - Twips are converted to pixels as twips/15 rounded to nearest (96 DPI).
#   - Only processes started through this file are ever signalled (by PID).
#   - Plain Xvfb has no window manager: new top-level windows appear at 0,0 and nobody
#     gives them the keyboard focus (keys typed after a window change are lost). So
#     xd_wait_window focuses the window it found, as a WM would (XD_AUTOFOCUS=0: don't);
#     xd_focus does it by hand.
#
# Settings (environment, optional)
#   XD_DISPLAY_BASE  first display number tried by xd_start_x          (default 97)
#   XD_SCREEN        Xvfb screen geometry WxHxDEPTH                     (default 1280x1024x24)
#   XD_TIMEOUT       default timeout in seconds for the wait functions  (default 10)
#   XD_SETTLE        seconds to sleep after a window is mapped, so Qt has painted (default 0.3)
#   XD_KEY_DELAY     ms between keystrokes for xd_key / xd_type          (default 30)
#   XD_AUTOFOCUS     1: xd_wait_window focuses the window it found      (default 1)

XD_DISPLAY_BASE=${XD_DISPLAY_BASE:-97}
XD_SCREEN=${XD_SCREEN:-1280x1024x24}
XD_TIMEOUT=${XD_TIMEOUT:-10}
XD_SETTLE=${XD_SETTLE:-0.3}
XD_KEY_DELAY=${XD_KEY_DELAY:-30}
XD_AUTOFOCUS=${XD_AUTOFOCUS:-1}
XD_PIDS=()        # PIDs started by xd_launch, in start order
XD_XVFB_PID=      # PID of our Xvfb
XD_PID=           # PID of the last program started by xd_launch
XD_WORK=          # private scratch directory (logs, helper binary, runtime dir)
XD_OLD_ENV=()     # DISPLAY and XDG_RUNTIME_DIR before xd_start_x

_xd_err() { echo "xdrive: $*" >&2; }
_xd_wid() { [[ $1 =~ ^[0-9]+$ ]] || { _xd_err "${FUNCNAME[1]}: not a window id: '$1'"; return 1; }; }

_xd_workdir() {
    if [[ -z $XD_WORK || ! -d $XD_WORK ]]; then
        XD_WORK=$(mktemp -d "${TMPDIR:-/tmp}/xdrive.XXXXXX") || return 1
        mkdir -m 700 "$XD_WORK/runtime"
    fi
}

# _xd_deadline SECONDS (may be fractional) -> prints the deadline in epoch-ns
_xd_deadline() { echo $(( $(date +%s%N) + $(awk -v s="$1" 'BEGIN { printf "%.0f", s * 1e9 }') )); }
_xd_before() { (( $(date +%s%N) < $1 )); }

# xd_twips2px TWIPS -> pixels (rounded to nearest)
xd_twips2px() { echo $(( ($1 + 7) / 15 )); }

# xd_start_x -> starts Xvfb on the first free display >= XD_DISPLAY_BASE, exports DISPLAY.
xd_start_x() {
    _xd_workdir || return 1
    local n lock
    for (( n = XD_DISPLAY_BASE; n < XD_DISPLAY_BASE + 50; n++ )); do
        lock=/tmp/.X$n-lock
        [[ -e $lock || -e /tmp/.X11-unix/X$n ]] && continue
        Xvfb ":$n" -screen 0 "$XD_SCREEN" -nolisten tcp -noreset >"$XD_WORK/xvfb-$n.log" 2>&1 &
        local pid=$!
        local dl; dl=$(_xd_deadline 5)
        while _xd_before "$dl"; do
            kill -0 "$pid" 2>/dev/null || break            # lost the race for :n, try the next
            # ready, and the lock is ours (not another server's)
            if [[ -r $lock ]] && (( $(tr -d ' \n' <"$lock") == pid )) &&
               xdpyinfo -display ":$n" >/dev/null 2>&1; then
                XD_XVFB_PID=$pid
                XD_OLD_ENV=("${DISPLAY-}" "${XDG_RUNTIME_DIR-}")
                export DISPLAY=":$n"
                export XDG_RUNTIME_DIR="$XD_WORK/runtime"   # silences Qt's warning
                return 0
            fi
            sleep 0.05
        done
        kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
    done
    _xd_err "no free display from :$XD_DISPLAY_BASE"; return 1
}

# xd_launch CMD [ARGS...] -> starts CMD in the background on $DISPLAY; sets XD_PID.
#   stdout/stderr go to $XD_WORK/<pid>.out / .err (see xd_log). Use `env VAR=x CMD` for env.
#   Must be called in the current shell (not inside $(...)), so xd_wait_exit can reap it.
xd_launch() {
    _xd_workdir || return 1
    [[ -n $DISPLAY ]] || { _xd_err "xd_launch: DISPLAY not set (call xd_start_x)"; return 1; }
    XD_SEQ=$(( ${XD_SEQ:-0} + 1 ))
    local base=$XD_WORK/run-$XD_SEQ
    "$@" >"$base.out" 2>"$base.err" &
    XD_PID=$!
    ln -sf "run-$XD_SEQ.out" "$XD_WORK/$XD_PID.out"
    ln -sf "run-$XD_SEQ.err" "$XD_WORK/$XD_PID.err"
    XD_PIDS+=("$XD_PID")
}

# xd_log PID [out|err] -> prints the program's captured stdout (default) or stderr
xd_log() { cat "$XD_WORK/$1.${2:-out}" 2>/dev/null; }

# xd_wait_log PID REGEX [TIMEOUT] [out|err] -> waits until a line of the program's stdout
#   (or stderr) matches the extended REGEX
xd_wait_log() {
    local dl; dl=$(_xd_deadline "${3:-$XD_TIMEOUT}")
    while _xd_before "$dl"; do
        grep -qE -- "$2" "$XD_WORK/$1.${4:-out}" 2>/dev/null && return 0
        sleep 0.05
    done
    _xd_err "timeout waiting for /$2/ in ${4:-out} of pid $1"; return 1
}

# xd_windows PID -> "WID<TAB>NAME" per visible (mapped) top-level window of PID
xd_windows() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
        printf '%s\t%s\n' "$w" "$(xdotool getwindowname "$w" 2>/dev/null)"
    done
}

# xd_window_names PID -> names of PID's visible top-level windows, one per line
xd_window_names() { xd_windows "$1" | cut -f2-; }

_xd_found() {
    sleep "$XD_SETTLE"
    [[ $XD_AUTOFOCUS == 1 ]] && timeout 5 xdotool windowfocus --sync "$1" >/dev/null 2>&1
    echo "$1"
}

# Whether a window's name is NAME: the scene's caption alone, or as the title bar shows it, with
# the program's name after it ("メインタイトル — 乃々香誕生日記念ミニゲーム").
_xd_named() { [[ $1 == "$2" || $1 == "$2 — "* ]]; }

# xd_wait_window NAME [TIMEOUT] [PID] -> prints the id of a mapped window whose name is
#   NAME (of PID if given; see _xd_named), after sleeping XD_SETTLE and focusing it (XD_AUTOFOCUS).
#   Returns 1 on timeout.
xd_wait_window() {
    local name=$1 to=${2:-$XD_TIMEOUT} pid=${3:-} dl w line
    dl=$(_xd_deadline "$to")
    while _xd_before "$dl"; do
        if [[ -n $pid ]]; then
            while IFS=$'\t' read -r w line; do
                _xd_named "$line" "$name" && { _xd_found "$w"; return; }
            done < <(xd_windows "$pid")
        else
            for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
                _xd_named "$(xdotool getwindowname "$w" 2>/dev/null)" "$name" && { _xd_found "$w"; return; }
            done
        fi
        sleep 0.05
    done
    _xd_err "timeout (${to}s) waiting for window '$name'${pid:+ of pid $pid}"; return 1
}

# xd_wait_no_window NAME PID [TIMEOUT] -> waits until PID shows no window named NAME
xd_wait_no_window() {
    local dl; dl=$(_xd_deadline "${3:-$XD_TIMEOUT}")
    while _xd_before "$dl"; do
        local n shown=0
        while IFS= read -r n; do _xd_named "$n" "$1" && shown=1; done < <(xd_window_names "$2")
        (( shown )) || return 0
        sleep 0.05
    done
    _xd_err "timeout waiting for window '$1' of pid $2 to go"; return 1
}

# xd_geometry WID -> "X Y W H": client area, absolute position on the screen, in pixels
xd_geometry() {
    _xd_wid "$1" || return 1
    xwininfo -id "$1" 2>/dev/null | awk '
        /Absolute upper-left X:/ {x=$NF} /Absolute upper-left Y:/ {y=$NF}
        /^  Width:/ {w=$NF} /^  Height:/ {h=$NF}
        END { if (w == "") exit 1; print x, y, w, h }'
}

# xd_focus WID -> gives WID the keyboard focus (waits until it has it)
xd_focus() { _xd_wid "$1" || return 1; timeout 5 xdotool windowfocus --sync "$1" >/dev/null 2>&1 || { _xd_err "cannot focus $1"; return 1; }; }

# xd_click_px WID X Y [BUTTON] [COUNT] -> click at client-area pixel X,Y of WID
xd_click_px() {
    _xd_wid "$1" || return 1
    # `mousemove --sync` to where the pointer already is waits ~15 s for a motion event that
    # never comes: move only when the pointer is elsewhere.
    local g sx sy X Y SCREEN WINDOW
    g=($(xd_geometry "$1")) || return 1
    sx=$(( g[0] + $2 )); sy=$(( g[1] + $3 ))
    eval "$(xdotool getmouselocation --shell 2>/dev/null | grep -E '^(X|Y)=')"
    if [[ ${X:-} != "$sx" || ${Y:-} != "$sy" ]]; then
        xdotool mousemove --sync "$sx" "$sy" || { _xd_err "pointer move failed"; return 1; }
    fi
    xdotool click --repeat "${5:-1}" --delay 80 "${4:-1}" || { _xd_err "click failed"; return 1; }
}

# xd_click WID XTW YTW [BUTTON] [COUNT] -> click at client-area point given in twips
xd_click() { xd_click_px "$1" "$(xd_twips2px "$2")" "$(xd_twips2px "$3")" "${4:-1}" "${5:-1}"; }

# xd_dblclick WID XTW YTW -> double-click at a twips point
xd_dblclick() { xd_click "$1" "$2" "$3" 1 2; }

# xd_click_rect WID LEFT TOP WIDTH HEIGHT -> click the centre of a control given in twips
#   (a control's rectangle as the form declares it: left, top, width, height)
xd_click_rect() { xd_click "$1" $(( $2 + $4 / 2 )) $(( $3 + $5 / 2 )); }

# xd_pointer_park -> moves the mouse pointer to the screen's bottom-right corner, off the
#   program's windows (so no key or click lands anywhere by accident of pointer position)
xd_pointer_park() { local w h; read -r w h < <(xdotool getdisplaygeometry); xdotool mousemove --sync $((w - 1)) $((h - 1)); }

# xd_key KEY... -> press+release keysyms in order into the focused window
#   (Return, Left, Right, space, BackSpace, Tab, 0-9, ...). XD_KEY_DELAY ms apart.
xd_key() { xdotool key --delay "$XD_KEY_DELAY" "$@" || { _xd_err "key failed"; return 1; }; }

# xd_keydown KEY / xd_keyup KEY -> hold / release one key
xd_keydown() { xdotool keydown "$1"; }
xd_keyup() { xdotool keyup "$1"; }

# xd_type TEXT -> types ASCII TEXT into the focused window
xd_type() { xdotool type --delay "$XD_KEY_DELAY" -- "$1" || { _xd_err "type failed"; return 1; }; }

# _xd_helper -> path of the WM_DELETE_WINDOW sender, compiled on first use
_xd_helper() {
    _xd_workdir || return 1
    local bin=$XD_WORK/xd-wmdelete
    [[ -x $bin ]] && { echo "$bin"; return 0; }
    cat >"$XD_WORK/xd-wmdelete.c" <<'EOF'
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
/* Sends the ICCCM close request (WM_PROTOCOLS / WM_DELETE_WINDOW) that a window
   manager sends when the close box is clicked. Exit 2: window does not take it. */
int main(int argc, char **argv) {
    if (argc != 2) return 64;
    Display *d = XOpenDisplay(NULL);
    if (!d) return 1;
    Window w = (Window)strtoul(argv[1], NULL, 0);
    Atom proto = XInternAtom(d, "WM_PROTOCOLS", False), del = XInternAtom(d, "WM_DELETE_WINDOW", False);
    Atom *list = NULL; int n = 0, ok = 0;
    if (XGetWMProtocols(d, w, &list, &n)) { for (int i = 0; i < n; ++i) ok |= list[i] == del; XFree(list); }
    if (!ok) { XCloseDisplay(d); return 2; }
    XEvent ev = {0};
    ev.xclient.type = ClientMessage; ev.xclient.window = w; ev.xclient.message_type = proto;
    ev.xclient.format = 32; ev.xclient.data.l[0] = (long)del; ev.xclient.data.l[1] = CurrentTime;
    Status s = XSendEvent(d, w, False, NoEventMask, &ev);
    XSync(d, False); XCloseDisplay(d);
    return s ? 0 : 1;
}
EOF
    cc -O2 -o "$bin" "$XD_WORK/xd-wmdelete.c" -lX11 2>"$XD_WORK/xd-wmdelete.log" ||
        { _xd_err "cannot build close helper (need cc and libx11-dev): $(cat "$XD_WORK/xd-wmdelete.log")"; return 1; }
    echo "$bin"
}

# xd_close WID -> asks the window to close, as its close box would (Qt: closeEvent).
#   Works without a window manager. (xdotool windowclose destroys the X window
#   instead: Qt gets no closeEvent and the process keeps running.)
xd_close() {
    _xd_wid "$1" || return 1
    local h rc; h=$(_xd_helper) || return 1
    "$h" "$1"; rc=$?
    case $rc in
        0) return 0 ;;
        2) _xd_err "window $1 does not accept WM_DELETE_WINDOW" ;;
        *) _xd_err "close request to $1 failed ($rc)" ;;
    esac
    return 1
}

# xd_screenshot WID FILE.png -> the window's client area as PNG
# (import waits for ever on a window that has closed: check it exists, and bound the wait)
xd_screenshot() { _xd_wid "$1" || return 1; xwininfo -id "$1" >/dev/null 2>&1 || { _xd_err "window $1 is gone"; return 1; }
    timeout 10 import -silent -window "$1" "png:$2" 2>/dev/null || { _xd_err "screenshot of $1 failed"; return 1; }; }

# xd_pixel FILE.png X Y -> "R G B" (0-255) of pixel X,Y (pixels) of an image
xd_pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)] %[fx:int(255*p{$2,$3}.g+0.5)] %[fx:int(255*p{$2,$3}.b+0.5)]" info: 2>/dev/null ||
        { _xd_err "cannot read pixel $2,$3 of $1"; return 1; }
}

# xd_pixel_twips FILE.png XTW YTW -> "R G B" at a twips point
xd_pixel_twips() { xd_pixel "$1" "$(xd_twips2px "$2")" "$(xd_twips2px "$3")"; }

# xd_wait_exit PID [TIMEOUT] -> waits for PID (started by xd_launch) to end; returns its
#   exit status, or 124 on timeout (the process is left running).
xd_wait_exit() {
    local pid=$1 dl; dl=$(_xd_deadline "${2:-$XD_TIMEOUT}")
    while kill -0 "$pid" 2>/dev/null; do
        _xd_before "$dl" || { _xd_err "timeout waiting for pid $pid to exit"; return 124; }
        sleep 0.05
    done
    wait "$pid" 2>/dev/null
}

# xd_alive PID -> true while PID runs
xd_alive() { kill -0 "$1" 2>/dev/null; }

# _xd_stop PID -> TERM, up to 2 s grace, then KILL; reaps it
_xd_stop() {
    local pid=$1 i
    kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null; return 0; }
    kill -TERM "$pid" 2>/dev/null
    for (( i = 0; i < 40; i++ )); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
    kill -0 "$pid" 2>/dev/null && kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}

# xd_cleanup -> stops every program started by xd_launch, then Xvfb (all by PID), and
#   removes the scratch directory (set XD_KEEP=1 to keep logs). Safe to call twice.
xd_cleanup() {
    local i
    for (( i = ${#XD_PIDS[@]} - 1; i >= 0; i-- )); do _xd_stop "${XD_PIDS[i]}"; done
    XD_PIDS=()
    if [[ -n $XD_XVFB_PID ]]; then
        _xd_stop "$XD_XVFB_PID"
        XD_XVFB_PID=
        # give back the DISPLAY / XDG_RUNTIME_DIR that xd_start_x replaced
        if [[ -n ${XD_OLD_ENV[0]} ]]; then export DISPLAY=${XD_OLD_ENV[0]}; else unset DISPLAY; fi
        if [[ -n ${XD_OLD_ENV[1]} ]]; then export XDG_RUNTIME_DIR=${XD_OLD_ENV[1]}; else unset XDG_RUNTIME_DIR; fi
    fi
    if [[ -n $XD_WORK && -d $XD_WORK && -z ${XD_KEEP:-} ]]; then rm -rf "$XD_WORK"; XD_WORK=; fi
    return 0
}
