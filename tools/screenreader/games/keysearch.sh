#!/usr/bin/env bash
# The key search by ear: from the focused box, the arrows to the box a small solver picks from the
# distances heard so far, Space to open it; four checks always find the key this way.
#
#   EAR_GAME=build/src/nonoka bash tools/screenreader/games/keysearch.sh
cd "$(dirname "${BASH_SOURCE[0]}")/../../.." || exit 1
. tools/screenreader/ear.sh

said() { ear_heard "$1" "${2:-10}" >/dev/null; }

# The next box to open (0..80), given "box distance" pairs heard so far ("-" for none).
next_box() {
    python3 - "$@" <<'PY'
import sys
def d(a, b): return min(abs(a // 9 - b // 9) + abs(a % 9 - b % 9), 9)
heard = [tuple(map(int, h.split(':'))) for h in sys.argv[1:]]
cands = [k for k in range(81) if all(k != p and d(p, k) == dist for p, dist in heard)]
def score(p):
    parts = {}
    for k in cands:
        if k != p: parts[d(p, k)] = parts.get(d(p, k), 0) + 1
    return (max(parts.values(), default=0), p not in cands)
print(cands[0] if len(cands) == 1 else min(range(81), key=score))
PY
}

ear_start
ear_check "the warp zone opens the key search" ear_warp 8202 鍵探し 鍵を探せ！ || ear_finish
ear_check "what to do" said '矢印キーで選び、スペースで開ける' 10
ear_check "a box, read with its row and column" ear_tab_to '宝箱 [0-9]行[0-9]列' || ear_finish
at=$(ear_since | grep -oE '宝箱 [0-9]行[0-9]列' | tail -1)
row=$(( $(sed -E "s/.* ([0-9])行.*/\1/" <<<"$at") - 1 )) col=$(( $(sed -E "s/.*行([0-9])列/\1/" <<<"$at") - 1 )) heard=()
for (( check = 0; check < 4; check++ )); do
    box=$(next_box "${heard[@]}")
    r=$((box / 9)) c=$((box % 9))
    keys=()
    while (( row < r )); do keys+=(Down); row=$((row + 1)); done
    while (( row > r )); do keys+=(Up); row=$((row - 1)); done
    while (( col < c )); do keys+=(Right); col=$((col + 1)); done
    while (( col > c )); do keys+=(Left); col=$((col - 1)); done
    (( ${#keys[@]} )) && { xd_key "${keys[@]}"; sleep 0.5; }
    ear_keys space
    line=$(ear_heard "notification $((r + 1))行$((c + 1))列(、きょり|に鍵)" 10)
    ear_check "box $((r + 1))行$((c + 1))列 heard: ${line#*notification }" test -n "$line" || ear_finish
    [[ $line == *に鍵があった* ]] && break
    dist=$(sed -E 's/.*きょり([0-9]+).*/\1/' <<<"$line")
    heard+=("$box:$dist")
done
ear_check "the win" said '鍵を見つけた！' 10
ear_finish
