#!/usr/bin/env bash
# The game's command line as a player meets it: usage errors exit 2 with one line that points to
# --help, a display that cannot be opened or a missing Japanese font is said in our own words.
#   command_line_test.sh GAME
set -uo pipefail
game=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
headless=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)

# expect RC PATTERN COMMAND...: the exit status, and a pattern that what it printed must match.
expect() {
    local rc=$1 pattern=$2
    shift 2
    "$@" >"$work/out" 2>&1
    local got=$?
    if [[ $got != "$rc" ]] || { [[ -n $pattern ]] && ! grep -qE -- "$pattern" "$work/out"; }; then
        echo "FAIL: $* exited $got (wanted $rc), printing:"; cat "$work/out"; failed=1
    fi
}
one_line() { [[ $(wc -l <"$work/out") == 1 ]] || { echo "FAIL: more than one line:"; cat "$work/out"; failed=1; }; }

for usage in "--no-such-option" "stray" "--scale 9" "--scale" "--scale=x"; do
    # shellcheck disable=SC2086
    expect 2 "^nonoka: .*--help" "${headless[@]}" "$game" $usage
    one_line
done
expect 0 "^Usage: " "${headless[@]}" "$game" --help
expect 0 "^nonoka [0-9.]+$" "${headless[@]}" "$game" --version
expect 1 "xvfb-run -a nonoka" "${headless[@]}" "$game"
one_line
expect 1 "^nonoka: cannot open the display \":987\".*xvfb-run" env -u QT_QPA_PLATFORM DISPLAY=:987 "$game"
one_line

# A font configuration that knows no font at all: the captions would be boxes.
mkdir "$work/fonts"
printf '<?xml version="1.0"?>\n<fontconfig><dir>%s/fonts</dir><cachedir>%s/cache</cachedir></fontconfig>\n' \
    "$work" "$work" >"$work/fonts.conf"
expect 1 "fonts-ipafont-gothic" env FONTCONFIG_FILE="$work/fonts.conf" QT_QPA_PLATFORM=offscreen \
    XDG_RUNTIME_DIR="$work" "$game" --self-test
expect 0 "" env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" "$game" --self-test
exit $failed
