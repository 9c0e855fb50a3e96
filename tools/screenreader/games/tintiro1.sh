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
entry=$EAR_MARK
for (( try = 1; try <= ${DUEL_TRIES:-8}; try++ )); do
    duel_match "$opponent"
    echo "# match $try: $DUEL_RESULT: $(tr '\n' '|' <<<"$DUEL_HEARD")"
    ear_check "the rules heard whole on entry $try" ear_uncut '先に2勝' "$entry"
    [[ $DUEL_RESULT == won ]] && break
    [[ $DUEL_RESULT == lost ]] || break
    # The code the loss said, entered as heard: it must open this duel again.
    said_code=$(grep -oE '乃々香の負け。続きのコードは[0-9]{4}。' <<<"$DUEL_HEARD" | grep -oE '[0-9]{4}')
    ear_check "the lost match says its code ($said_code)" test "$said_code" = 3940
    ear_check "a lost match is played again with it" duel_again "$said_code" 梢チンチロ ちんちろ勝負Ａ || ear_finish
    ear_check "the rules again" ear_heard "先に2勝したほうの勝ち" 5
    entry=$EAR_MARK
done
duel_check_match "$opponent"
ear_check "the window's title read once a match, never again after a throw" \
    test "$(orca_said_since 0 | grep -c '^ちんちろ勝負Ａ')" = "$try"
ear_check "a match won within $try plays, with the way on" duel_heard '^勝負あり、乃々香の勝ち、NEXT BUTTLEで次へ$'
ear_finish
