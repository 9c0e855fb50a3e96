#!/usr/bin/env bash
# The race to 100 by ear: Tab to each STOP and Space, then Tab to the die the heard values make
# best and Space; the opponent's moves are heard as they come. Chance decides, so a lost race is
# closed and the game started again with the code the loss said, up to EAR_PLAYS times (default
# 5). EAR_LOSE=1 takes the larger die every time, to hear a loss and the way back.
#
#   EAR_GAME=build/src/nonoka bash tools/screenreader/games/max100game.sh
cd "$(dirname "${BASH_SOURCE[0]}")/../../.." || exit 1
. tools/screenreader/ear.sh

said() { ear_heard "$1" "${2:-10}" >/dev/null; }

# Which die (1 or 2) to take with `left` squares left and the two values: leave one square if we
# can, otherwise keep out of the opponent's reach of that square, otherwise go as far as is safe.
choose() {
    python3 - "$@" <<'PY'
import sys
left, a, b = map(int, sys.argv[1:])
def score(m):
    rest = left - m
    if rest <= 0: return (3, 0)
    if rest == 1: return (0, 0)
    if rest - 1 in (1, 2, 3, 4, 5, 6, 9): return (2, -m)
    return (1, -m)
print(1 if score(a) <= score(b) else 2)
PY
}

# One race; 0 when won.
play_race() {
    local left=100 line a b die turn
    said '進むサイコロを選ぶ' 10 || return 2
    for (( turn = 0; turn < 60; turn++ )); do
        ear_tab_to '^STOP' || return 2
        ear_keys space
        said 'notification サイコロ[12]は[0-9]+' 5 || return 2
        ear_tab_to '^STOP' || return 2
        ear_keys space
        line=$(ear_heard 'notification サイコロ[12]は[0-9]+。[0-9]+と[0-9]+、どちらで進む' 5) || return 2
        a=$(sed -E 's/.*。([0-9]+)と([0-9]+)、.*/\1/' <<<"$line")
        b=$(sed -E 's/.*。([0-9]+)と([0-9]+)、.*/\2/' <<<"$line")
        die=$(choose "$left" "$a" "$b")
        # EAR_LOSE=1: the larger die every time, to fall and hear the way back.
        [[ -n ${EAR_LOSE:-} ]] && die=$(( a >= b ? 1 : 2 ))
        ear_tab_to "^サイコロ$die " || return 2
        ear_keys space
        line=$(ear_heard 'notification [0-9]+マス進む、' 5) || return 2
        echo "# left $left, dice $a $b, took $die: ${line#*notification }"
        [[ $line == *転落する* ]] && { said 'あなたの負け' 10; return 1; }
        left=$(sed -E 's/.*のこり([0-9]+)マス.*/\1/' <<<"$line")
        line=$(ear_heard 'notification 相手は[0-9]+と[0-9]+から[0-9]+マス進む、' 30) || return 2
        echo "# ${line#*notification }"
        if [[ $line == *転落する* ]]; then said 'あなたの勝ち！' 10 && return 0; return 2; fi
        left=$(sed -E 's/.*のこり([0-9]+)マス.*/\1/' <<<"$line")
        sleep 2.6  # the car moves, then her dice roll a second later
        ear_mark
    done
    return 2
}

close_race() {
    local w
    w=$(xd_wait_window １００を越えるな 5 "$XD_PID") && xd_close "$w" && xd_wait_exit "$XD_PID" 10
}

ear_start
plays=0 result=1 code=9140
while (( plays < ${EAR_PLAYS:-5} )); do
    plays=$((plays + 1))
    ear_check "the warp zone opens the race (play $plays, code $code)" ear_warp "$code" ＭＡＸ１００ １００を越えるな || break
    play_race; result=$?
    (( result == 1 )) || break
    # The next play comes back with the code the loss said.
    code=$(ear_heard '続きのコードは[0-9]+' 10 | grep -oE 'コードは[0-9]+' | grep -oE '[0-9]+$')
    ear_check "the lost race says its code ($code)" test "$code" = 9140 || break
    # A lost race has no way on: close its window, as Alt+F4 asks a desktop's window manager to
    # (bare Xvfb has none, and the key alone closes nothing), and start the game again.
    ear_check "closing the lost race ends the game" close_race || break
    ear_check "the game starts again" orca_launch メインタイトル "$EAR_GAME" || break
    orca_quiet 1 10
done
[[ -n ${EAR_LOSE:-} ]] || ear_check "the race won by ear in $plays play(s)" test "$result" = 0
ear_finish
