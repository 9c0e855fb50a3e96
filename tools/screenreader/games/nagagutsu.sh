#!/usr/bin/env bash
# The boots dash by ear: first a race left alone, to hear the clock and the end of a lost race
# with nothing pressed to cut them off; then, from the title again, a race won with the arrow
# keys: a fall on the same foot on purpose, a steady pace while the clock is said, and a sprint
# to the line.
#
#   EAR_GAME=build/src/nonoka bash tools/screenreader/games/nagagutsu.sh
cd "$(dirname "${BASH_SOURCE[0]}")/../../.." || exit 1
. tools/screenreader/ear.sh

said() { ear_heard "$1" "${2:-10}" >/dev/null; }
# Sentences said after the mark, joined with |, for the report.
since() { ear_since | tr '\n' '|'; }

# The title again after a lost race: its window closed ends the program.
relaunch() {
    local w
    w=$(xdotool search --onlyvisible --pid "$XD_PID" 2>/dev/null | head -n1)
    xd_close "$w" && xd_wait_exit "$XD_PID" 10 && orca_launch メインタイトル "$EAR_GAME" && orca_quiet 1 10
}

ear_start
ear_check "the warp zone opens the dash" ear_warp 4789 長靴１００ｍ 長靴１００ｍ走 || ear_finish
ear_check "how to run, and that Space starts" said '左右の矢印キーを交互に、40秒で100メートル。スペースで始める' 5
ear_check "nothing starts before Space" eval "sleep 8; ! ear_since | grep -qE 'notification (3|スタート！)$'"
ear_check "how to run heard whole" ear_uncut 'メートル'
ear_keys space
ear_check "3, 2, 1" eval "said 'notification 3' 5 && said 'notification 2' 5 && said 'notification 1' 5"
ear_check "the start" said 'スタート！' 5
ear_check "the countdown heard whole" ear_uncut '^cut .*: (3|2|1|スタート！)$'

ear_mark
ear_check "the clock every ten seconds, with the distance" \
    eval "said '30秒、あと100メートル' 12 && said '20秒、あと100メートル' 12 && said '10秒、あと100メートル' 12"
ear_check "and each of the last five" \
    eval "said '^notification 5秒、あと100メートル' 7 && said '^notification 1秒、あと100メートル' 7"
ear_check "time up, with the code to come back" said '時間切れ、あと100メートル。続きのコードは4789。ウィンドウを閉じ' 3
echo "# heard: $(since)"

ear_check "the title again" relaunch || ear_finish
ear_check "the dash again" ear_warp 4789 長靴１００ｍ 長靴１００ｍ走 || ear_finish
said 'スペースで始める' 10
ear_keys space
ear_check "the start" said 'スタート！' 10

# The same foot again trips half the time: at most 12 tries, a moment apart.
ear_mark
for (( i = 0; i < 12; i++ )); do
    xd_key Left
    sleep 0.3
    ear_since | grep -q '同じ足で転んだ' && break
done
ear_check "a fall on the same foot" said '同じ足で転んだ！' 2
ear_check "getting up" said '起きた' 3

# Steady, a step every 0.2 s, until the clock says twenty seconds left; a pause to hear it.
ear_mark
foot=Left
for (( i = 0; i < 200; i++ )); do
    foot=$([[ $foot == Left ]] && echo Right || echo Left)
    xd_key "$foot"
    sleep 0.15
    ear_since | grep -qE '^notification 20秒' && break
done
ear_check "the clock while running, with the distance run" said '^notification 20秒、あと[0-9]+メートル' 1
echo "# heard: $(since)"
sleep 1

# The sprint: twenty steps at a time until the line.
ear_mark
for (( i = 0; i < 60; i++ )); do
    xd_key Left Right Left Right Left Right Left Right Left Right Left Right Left Right Left Right Left Right Left Right
    ear_since | grep -qE 'ゴール|時間切れ' && break
done
ear_check "the goal, with the time left" said '^notification ゴール！のこり[0-9]+秒' 3
ear_check "the way on takes the focus" said '^NEXT AREA' 3
echo "# heard: $(since)"
ear_finish
