#!/usr/bin/env bash
# The first story scene by ear: Enter on はじめから, then every line is heard once, in order (a line
# that runs on with the rest of its sentence; blank lines not at all), R reads the page again,
# Space hurries the first page line by line and the presses that come as it fills do not turn
# it, and Space on NEXT PAGE does.
#
#   EAR_GAME=build/src/nonoka bash tools/screenreader/games/story.sh
cd "$(dirname "${BASH_SOURCE[0]}")/../../.." || exit 1
. tools/screenreader/ear.sh
SCENE=${EAR_SCENE:-mesarea1}

# The sentences a listener should hear, page by page (pages separated by a line "---").
expected=$(python3 - "src/scenes/scripts/$SCENE.scene" <<'PY'
import sys
text = open(sys.argv[1], encoding="utf-8-sig").read().split("\n---\n", 1)[1]
pages, sentence = [[]], ""
for row in text.split("\n"):
    if row == "":
        if pages[-1]: pages.append([])
        continue
    runs_on = row.endswith(" \\")
    sentence += row[:-2] if runs_on else row
    if not runs_on:
        if sentence.strip(" \u3000"): pages[-1].append(sentence)
        sentence = ""
print("\n---\n".join("\n".join(p) for p in pages if p))
PY
)
heard() { ear_since | sed -n 's/^notification //p' | grep -vx 'NEXT PAGE\.\?'; }  # the lines, not the way on

ear_start
ear_keys Return
ear_check "the story's window" ear_heard 'メッセージパート' 10 || ear_finish
# Twelve presses fill the first page a row at a time; two more, 30 ms later, come too soon to turn it.
sleep 0.5
ear_mark
xd_key space space space space space space space space space space space space space space
sleep 1.5
ear_check "Space as the page fills does not turn it" ear_heard '^NEXT PAGE push button' 5
page=1
while IFS= read -r -d $'\x1e' want; do
    n=$(printf '%s\n' "$want" | wc -l)
    last=$(printf '%s\n' "$want" | tail -n1)
    if (( page > 1 )); then ear_check "page $page: its last line is heard" ear_heard "^notification $(printf '%s' "$last" | sed 's/[][\.*^$()+?{}|]/\\&/g')\$" 60 || break; fi
    ear_check "page $page: its $n lines, once each, in order" test "$(heard)" = "$want" || echo "# heard: $(heard | tr '\n' '|')"
    # A turned page's NEXT PAGE comes back with the focus it went with, and the page says it.
    ear_check "page $page: then the way on takes the focus" ear_heard '^(NEXT (PAGE|AREA) push button|notification NEXT PAGE)' 5
    sleep 0.3
    ear_keys r
    ear_check "page $page: R reads it again" ear_heard "^notification $(printf '%s' "${want%%$'\n'*}" | sed 's/[][\.*^$()+?{}|]/\\&/g')" 5
    orca_quiet 1 30
    ear_keys space
    page=$((page + 1))
done < <(printf '%s\n' "$expected" | awk 'BEGIN { RS = "\n---\n"; ORS = "\x1e" } { sub(/\n$/, ""); print }')
ear_check "the scene's end is NEXT AREA" eval 'orca_said_since 0 | tail -n 20 | grep -q "^NEXT AREA push button"'
ear_check "the window's title read once, never again inside it" test "$(orca_said_since 0 | grep -c '^メッセージパート')" = 1
ear_finish
