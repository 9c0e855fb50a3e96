#!/usr/bin/env bash
# The first dice duel by ear: Space at each throw of the heroine, at a moment of the gauge no
# listener can choose; a lost match is closed and played again from the title, at most
# DUEL_TRIES times, until a win is heard. Every match must say its dice, hands, bouts and end.
#
#   EAR_GAME=build/src/nonoka bash tools/screenreader/games/tintiro1.sh
cd "$(dirname "${BASH_SOURCE[0]}")/../../.." || exit 1
. tools/screenreader/ear.sh
. tools/screenreader/games/duel.sh

opponent=シルバー・ファントム
ear_start
ear_check "the warp zone opens the first duel" ear_warp 3940 梢チンチロ ちんちろ勝負Ａ || ear_finish
ear_check "the rules and who throws first" ear_heard "先に2勝したほうの勝ち、${opponent}が先に投げる" 5
for (( try = 1; try <= ${DUEL_TRIES:-8}; try++ )); do
    duel_match "$opponent"
    echo "# match $try: $DUEL_RESULT: $(tr '\n' '|' <<<"$DUEL_HEARD")"
    [[ $DUEL_RESULT == won ]] && break
    [[ $DUEL_RESULT == lost ]] || break
    ear_check "a lost match is played again" duel_again 3940 梢チンチロ ちんちろ勝負Ａ || ear_finish
done
duel_check_match "$opponent"
ear_check "a match won within $try plays, with the way on" duel_heard '^勝負あり、乃々香の勝ち、NEXT BUTTLEで次へ$'
ear_finish
