#!/usr/bin/env bash
# The final epilogue by ear, to its end: each page heard out before Space turns it, then the
# closing captions as they appear and that the story has ended, none of them cut off.
#
#   EAR_GAME=build/src/nonoka bash tools/screenreader/games/ending.sh
cd "$(dirname "${BASH_SOURCE[0]}")/../../.." || exit 1
. tools/screenreader/ear.sh

said() { ear_heard "$1" "${2:-10}" >/dev/null; }

ear_start
ear_check "the warp zone opens the final epilogue" ear_warp 4586 エピローグ２ エピローグ || ear_finish
entry=$EAR_MARK
for (( page = 1; page <= 5; page++ )); do
    ear_heard '^NEXT PAGE push button|健吾呼ぶの' 90 | grep -q 健吾 && break
    ear_listen "$entry"
    ear_keys space
done
ear_check "the first caption" said '^notification 健吾呼ぶの' 10
ear_check "the second caption" said '^notification 忘れてた！！' 5
ear_check "the end said" said '^notification 完。おしまい。' 10
ear_listen "$entry"
ear_check "nothing of the story or the ending cut off" eval '[[ -z $(ear_cut "$entry" | grep -v "push button") ]]'
ear_cut "$entry" | sed 's/^/# /'
ear_finish
