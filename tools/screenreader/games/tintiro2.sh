#!/usr/bin/env bash
# The second dice duel (her dice loaded) by ear: Space at each throw of the heroine, at a moment of the gauge no
# listener can choose; a lost match is closed and played again from the title, at most
# DUEL_TRIES times, until a win is heard. Every match must say its dice, hands, bouts and end.
#
#   EAR_GAME=build/src/nonoka bash tools/screenreader/games/tintiro2.sh
cd "$(dirname "${BASH_SOURCE[0]}")/../../.." || exit 1
. tools/screenreader/ear.sh
. tools/screenreader/games/duel.sh

opponent=スミレ・デ・ワールズ
ear_start
ear_check "the warp zone opens the second duel" ear_warp 3896 菫チンチロ ちんちろ対決Ｂ || ear_finish
ear_check "the rules and who throws first" ear_heard "先に2勝したほうの勝ち、${opponent}が先に投げる" 5
entry=$EAR_MARK
for (( try = 1; try <= ${DUEL_TRIES:-15}; try++ )); do
    duel_match "$opponent"
    echo "# match $try: $DUEL_RESULT: $(tr '\n' '|' <<<"$DUEL_HEARD")"
    ear_check "the rules heard whole on entry $try" ear_uncut '先に2勝' "$entry"
    [[ $DUEL_RESULT == won ]] && break
    [[ $DUEL_RESULT == lost ]] || break
    # The code the loss said, entered as heard: it must open this duel again.
    said_code=$(grep -oE '乃々香の負け。続きのコードは[0-9]{4}。' <<<"$DUEL_HEARD" | grep -oE '[0-9]{4}')
    ear_check "the lost match says its code ($said_code)" test "$said_code" = 3896
    duel_again "$said_code" 菫チンチロ ちんちろ対決Ｂ; rc=$?
    if (( rc == 2 )); then
        ear_check "caught cheating, the match is the heroine's" ear_heard 'いかさま発覚、勝負は乃々香のもの' 10
        lost=$DUEL_HEARD
        duel_match "$opponent"
        DUEL_HEARD=$lost$DUEL_HEARD
        break
    fi
    ear_check "a lost match is played again" test "$rc" = 0 || ear_finish
    entry=$EAR_MARK
done
duel_check_match "$opponent"
ear_check "a match won within $try plays, with the way on" duel_heard '^勝負あり、乃々香の勝ち、NEXT AREAで次へ$'
ear_finish
