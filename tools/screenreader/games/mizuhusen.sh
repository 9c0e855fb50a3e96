#!/usr/bin/env bash
# The water balloon battle by ear. On each of her turns: Space on Push (it has the focus when the
# balloon arrives), then Tab to Throw and Space: one pump, the least danger she can take. Chance
# decides who is soaked; a lost battle leads nowhere, so its window is closed and the battle
# entered again from the title, up to EAR_PLAYS times (default 8), until a win is heard.
#
#   EAR_GAME=build/src/nonoka bash tools/screenreader/games/mizuhusen.sh
cd "$(dirname "${BASH_SOURCE[0]}")/../../.." || exit 1
. tools/screenreader/ear.sh

said() { ear_heard "$1" "${2:-10}" >/dev/null; }
since() { ear_since | tr '\n' '|'; }
# Waits for what matches REGEX after the mark; prints which of the alternatives it was.
wait_for() { ear_heard "$1" "${2:-10}" 2>/dev/null; }

relaunch() {
    local w
    w=$(xdotool search --onlyvisible --pid "$XD_PID" 2>/dev/null | head -n1)
    xd_close "$w" && xd_wait_exit "$XD_PID" 10 && orca_launch メインタイトル "$EAR_GAME" && orca_quiet 1 10
}

# One of her turns, from the moment Push has the focus. Prints "burst" or "thrown".
her_turn() {
    ear_keys space
    local after
    after=$(wait_for '危険度[0-9]+％、あと|破裂' 5) || return 1
    [[ $after == *破裂* ]] && { echo burst; return 0; }
    # The focus is back on Push once her arrow goes, 0.1 s on. Orca may not read it again: the
    # moment on the window between can reach it too late to count as a move.
    sleep 0.5
    ear_keys Tab
    wait_for '^Throw' 3 >/dev/null || return 1
    ear_keys space
    echo thrown
}

# One battle, from the window's opening to its verdict. Prints "won" or "lost".
battle() {
    local first=1 heard outcome
    for (( turn = 0; turn < 30; turn++ )); do
        heard=$(wait_for '乃々香の番|^notification (勝ち！|負け。)' 20) || return 1
        case $heard in
            'notification 勝ち！'*) echo won; return 0 ;;
            'notification 負け。'*) echo lost; return 0 ;;
        esac
        if (( first )); then
            ear_check "the rules, then every pump of hers with the danger" \
                eval "ear_since | grep -qE '^notification 交互に空気を入れて投げ合い、破裂させた方の負け。相手が入れ(た|て投げた)、危険度[0-9]+％'" >&2
            ear_check "her turn, with the danger and the keys" \
                eval "ear_since | grep -qE '乃々香の番、危険度[0-9]+％。スペースで空気を入れ、タブで投げるボタンへ'" >&2
            first=0
        fi
        wait_for '^Push' 5 >/dev/null || return 1
        outcome=$(her_turn) || return 1
        ear_mark
        [[ $outcome == thrown ]] && { wait_for '相手に届いた|破裂' 5 >/dev/null || return 1; }
    done
    return 1
}

ear_start
won=0 code=3164
plays=${EAR_PLAYS:-8}
for (( play = 1; play <= plays; play++ )); do
    if (( play > 1 )); then ear_check "the title again" relaunch || break; fi
    ear_check "the warp zone opens the battle (play $play, code $code)" ear_warp "$code" 水風船投げ 水風船投げバトル || break
    ear_mark
    result=$(battle) || { ear_check "a verdict heard (play $play)" false; echo "# heard: $(since)"; break; }
    echo "# play $play: $result; heard: $(since)"
    if [[ $result == won ]]; then
        ear_check "a burst on her side, then the win" \
            eval "ear_since | grep -qE '破裂！相手がずぶぬれ' && ear_since | grep -qx 'notification 勝ち！'"
        ear_check "the way on takes the focus" said '^NEXT AREA' 3
        won=$play
        break
    fi
    ear_check "a burst on the heroine's side, then the loss with the code that leads back" \
        eval "ear_since | grep -qE '破裂！乃々香がずぶぬれ' && ear_since | grep -qF '負け。続きのコードは3164。'"
    # The next play comes back with the code as it was heard.
    code=$(ear_since | grep -oE '続きのコードは[0-9]+' | grep -oE '[0-9]+$' | tail -n1)
done
ear_check "a win within $plays plays (it took $won)" test "$won" -gt 0
ear_finish
