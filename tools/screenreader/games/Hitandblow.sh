#!/usr/bin/env bash
# The padlock by ear: the dials turned with Up, Right to the next dial, Tab to the padlock, Space;
# each guess is the one a small solver picks from the ヒット/ブロー results heard so far.
#
#   EAR_GAME=build/src/nonoka bash tools/screenreader/games/Hitandblow.sh
cd "$(dirname "${BASH_SOURCE[0]}")/../../.." || exit 1
. tools/screenreader/ear.sh

said() { ear_heard "$1" "${2:-10}" >/dev/null; }

# The next guess (four digits), given "guess:hits:blows" results heard so far: the candidate
# that leaves the fewest candidates at worst.
next_guess() {
    python3 - "$@" <<'PY'
import itertools, sys
def judge(g, s):
    h = sum(a == b for a, b in zip(g, s))
    return h, len(set(g) & set(s)) - h
heard = [(a, int(h), int(b)) for a, h, b in (x.split(':') for x in sys.argv[1:])]
cands = [''.join(p) for p in itertools.permutations('0123456789', 4)]
cands = [c for c in cands if all(judge(g, c) == (h, b) for g, h, b in heard)]
if not heard:
    print('0123'); sys.exit()
def worst(g):
    parts = {}
    for c in cands: parts[judge(g, c)] = parts.get(judge(g, c), 0) + 1
    return max(parts.values())
print(min(cands, key=worst))
PY
}

ear_start
ear_check "the warp zone opens the lock" ear_warp 5339 鍵開け 鍵を開けろ！ || ear_finish
ear_check "what to do" said '上下キーで数字を回し' 10
dials=0123 heard=()
for (( try = 0; try < 7; try++ )); do
    guess=$(next_guess "${heard[@]}")
    ear_check "the first dial's up button, with its place and digit" ear_tab_to '1桁目 [0-9] 上げる' || ear_finish
    for (( i = 0; i < 4; i++ )); do
        n=$(( (10 + ${guess:i:1} - ${dials:i:1}) % 10 ))
        keys=()
        for (( k = 0; k < n; k++ )); do keys+=(Up); done
        (( n )) && ear_keys "${keys[@]}"
        (( n )) && ear_check "dial $((i + 1)) turned to ${guess:i:1}" said "$((i + 1))桁目 ${guess:i:1}" 5
        (( i < 3 )) && { xd_key Right; sleep 0.3; }
    done
    dials=$guess
    ear_check "the padlock" ear_tab_to '南京錠' || ear_finish
    ear_keys space
    line=$(ear_heard "notification $guess、ヒット[0-9]、ブロー[0-9]、のこり[0-9]回" 15)
    ear_check "the result heard once: ${line#*notification }" test -n "$line"
    [[ -n $line ]] || ear_finish
    hits=$(sed -E 's/.*ヒット([0-9]).*/\1/' <<<"$line")
    blows=$(sed -E 's/.*ブロー([0-9]).*/\1/' <<<"$line")
    heard+=("$guess:$hits:$blows")
    (( hits == 4 )) && break
    sleep 2.5  # the guess goes into the history and the padlock comes back
done
ear_check "the lock opens" said '鍵が開いた！' 10
ear_check "the window's title read once, never again after a try" test "$(orca_said_since 0 | grep -c '^鍵を開けろ！')" = 1
ear_finish
