#!/usr/bin/env bash
# The candles by ear: Space once how to blow has been heard, fifteen seconds of the arrows in
# turn, then Space the time how to blow gave after the cue; whatever the ending, the grade and the count must be heard.
#
#   EAR_GAME=build/src/nonoka bash tools/screenreader/games/rosoku.sh
cd "$(dirname "${BASH_SOURCE[0]}")/../../.." || exit 1
. tools/screenreader/ear.sh

said() { ear_heard "$1" "${2:-10}" >/dev/null; }
since() { ear_since | tr '\n' '|'; }

ear_start
ear_check "the warp zone opens the candles" ear_warp 9107 ろうそく消し ろうそく消し || ear_finish
ear_check "how to blow, when to press, and that Space starts" said '左右の矢印キーを交互に15秒吸って、合図から2.2秒でスペースを押して吹く。スペースで始める' 5
orca_quiet 1 15
ear_check "how to blow heard whole" ear_uncut '吹く'
ear_keys space
ear_check "3, 2, 1" eval "said 'notification 3' 5 && said 'notification 2' 5 && said 'notification 1' 5"
ear_check "breathe in" said '吸って！' 5
ear_check "the countdown heard whole" ear_uncut '^cut .*: (3|2|1|吸って！)$'

# Three seconds of breath, then a pause to listen: the clock comes at once, and is heard whole.
breath=$(orca_mark)
end=$((SECONDS + 3))
while (( SECONDS < end )); do xd_key Left Right Left Right; done
ear_mark
sleep 3.5
ear_check "stopping to listen, the clock" said '^notification 1[0-3]秒、パワー[0-9]+％' 1
ear_check "and heard whole" ear_uncut '秒、パワー'

ear_mark
for (( i = 0; i < 100; i++ )); do
    xd_key Left Right Left Right Left Right Left Right Left Right
    ear_since | grep -q 'パワー吸い込み' && break
done
# The cue reaches us a little after the marker starts; Space a little before 2.2 s after it.
ear_check "the cue" said '^notification スタート！' 5
sleep "${EAR_SPACE_AFTER:-2.1}"
space=$(orca_mark)
xd_key space
EAR_MARK=$breath
ear_check "the clock at ten seconds, with the breath" said '^notification 10秒、パワー[0-9]+％' 1
ear_check "and in the last five" said '^notification 1秒、パワー[0-9]+％' 1
ear_check "the breath taken" said 'パワー吸い込み[0-9]+％' 1
echo "# heard: $(since)"
EAR_MARK=$space
ear_check "the grade" said '^notification (Super!!|Perfect!|Great!|Good|Poor\.\.)' 5
ear_check "the count" said '^notification 本数＝[0-9]+本' 30
ear_check "the way on takes the focus" said '^NEXT AREA' 3
ear_keys space
ear_check "Space on it opens the epilogue" said 'エピローグ' 10
echo "# heard: $(since)"
ear_finish
