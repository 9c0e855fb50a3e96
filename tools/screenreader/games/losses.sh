#!/usr/bin/env bash
# The way back after a loss, by ear: the lock, the key search and the dash are lost on purpose
# (the same guess seven times, four boxes in a row, no step at all); each losing sentence must be
# heard whole with its code, and that code, typed after closing the window and choosing 続きから,
# must open the game again. A key search that finds the key by chance is reported and passed over.
#
#   EAR_GAME=build/src/nonoka bash tools/screenreader/games/losses.sh
cd "$(dirname "${BASH_SOURCE[0]}")/../../.." || exit 1
. tools/screenreader/ear.sh

said() { ear_heard "$1" "${2:-10}" >/dev/null; }

lose_lock() {
    local try
    said '上下キーで数字を回し' 10 || return 1
    for (( try = 0; try < 7; try++ )); do
        ear_tab_to '南京錠' || return 1
        ear_keys space
        said '0123、ヒット[0-9]、ブロー[0-9]、のこり[0-9]回' 15 || return 1
        sleep 2.5  # the guess goes into the history and the padlock comes back
    done
}

lose_key_search() {
    local check
    said '矢印キーで選び、スペースで開ける' 10 || return 1
    ear_tab_to '宝箱 [0-9]行[0-9]列' || return 1
    for (( check = 0; check < 4; check++ )); do
        ear_keys space
        said '行[0-9]列(、きょり|に鍵)' 10 || return 1
        ear_since | grep -q 'に鍵があった' && return 2
        xd_key Right
        sleep 0.5
    done
}

lose_dash() {
    said 'スペースで始める' 10 || return 1
    orca_quiet 1 15
    ear_keys space
    sleep 44  # three, two, one, and forty seconds without a step
}

# lose_and_come_back CODE BUTTON WINDOW HOW: opens the game by its code, loses it, then comes back
# with the code the loss said.
lose_and_come_back() {
    local code=$1 button=$2 window=$3 how=$4 line spoken game rc
    ear_check "$window: the warp zone opens it" ear_warp "$code" "$button" "$window" || return
    $how
    rc=$?
    ear_check "$window: played to its loss" test "$rc" != 1 || return
    if (( rc == 2 )); then echo "# $window: found by chance, not lost"; return 1; fi
    line=$(ear_heard '続きのコードは[0-9]+' 60)
    spoken=$(grep -oE 'コードは[0-9]+' <<<"$line" | grep -oE '[0-9]+$')
    ear_check "$window: the loss says its code ($spoken)" test "$spoken" = "$code" || return
    ear_listen
    ear_check "$window: heard whole, with how to come back" ear_uncut 'ここからやり直せる'
    game=$(xd_wait_window "$window" 5) || return
    xd_close "$game"
    ear_check "$window: closing the last window ends the program" xd_wait_exit "$XD_PID" 10
    ear_mark
    ear_check "$window: the program starts again at its title" orca_launch メインタイトル "$EAR_GAME" || return
    orca_quiet 1 10
    ear_check "$window: the spoken code opens it again" ear_warp "$spoken" "$button" "$window" || return
    # Back to a fresh title for the next game.
    game=$(xd_wait_window "$window" 5) && xd_close "$game" && xd_wait_exit "$XD_PID" 10 || return
    ear_mark
    orca_launch メインタイトル "$EAR_GAME" && orca_quiet 1 10
}

ear_start
lose_and_come_back 5339 鍵開け 鍵を開けろ！ lose_lock || ear_finish
lose_and_come_back 8202 鍵探し 鍵を探せ！ lose_key_search || ear_finish
lose_and_come_back 4789 長靴１００ｍ 長靴１００ｍ走 lose_dash
ear_finish
