# duel.sh -- what both dice duels' checks share: one match played by ear, Space at the heroine's
# turn and after each of her throws without a hand. Sourced by tintiro1.sh and tintiro2.sh.

# duel_match OPPONENT -> plays a match from its start; sets DUEL_RESULT (won, lost or none) and
# DUEL_HEARD (the duel's sentences, one a line).
duel_match() {
    local opponent=$1 pos n line end=$((SECONDS + ${DUEL_MATCH_SECONDS:-150}))
    DUEL_RESULT=none DUEL_HEARD=
    pos=$(orca_mark)
    while (( SECONDS < end )); do
        sleep 0.1
        n=$(orca_mark)
        (( n > pos )) || continue
        while IFS= read -r line; do
            [[ $line == notification* ]] || continue
            line=${line#notification }
            line=${line%.}  # Orca's own full stop
            DUEL_HEARD+="$line"$'\n'
            case $line in
                "乃々香の番、スペースで投げる" | *"乃々香の番、スペースで投げる" | "乃々香、"*"あと"[12]"回")
                    # the gauge cannot be heard: any moment of it is as good as another
                    sleep "0.$((RANDOM % 10))"
                    xd_key space ;;
                "勝負あり、乃々香の勝ち"*) DUEL_RESULT=won; return 0 ;;
                "勝負あり、$opponent"*"乃々香の負け"*) DUEL_RESULT=lost; return 0 ;;
            esac
        done < <(orca_lines_since "$pos" | head -n $((n - pos)) | awk -F'\t' '$2 == "speak" { print $3 }')
        pos=$n
    done
}

duel_heard() { grep -qE -- "$1" <<<"$DUEL_HEARD"; }

# What every match must have said, won or lost.
duel_check_match() {
    local opponent=$1
    ear_check "her dice when they stop, with the hand" duel_heard "^${opponent}、[1-6]、[1-6]、[1-6]、(.+の目|.+のゾロ目|シゴロ|ヒフミ|ピンゾロ|目なし)"
    ear_check "the heroine's turn and its key" duel_heard "乃々香の番、スペースで投げる$"
    ear_check "the heroine's dice, with the hand" duel_heard "^乃々香、[1-6]、[1-6]、[1-6]、"
    ear_check "each bout's winner and the count" duel_heard "^(乃々香の勝ち|${opponent}の勝ち|引き分け、もう一度)"
    ear_check "the match's end" duel_heard "^勝負あり、"
    ear_check "no sentence twice in a row" eval '[[ -z $(uniq -d <<<"$DUEL_HEARD" | grep -v "スペースで投げる") ]]'
}

# Closes a lost duel and starts the game again at its title, then warps back in; 2 when the duel
# refused to close and told the caught cheating instead.
duel_again() {
    local code=$1 button=$2 window=$3
    local duel
    duel=$(xd_wait_window "$window" 5) || return 1
    ear_mark
    xd_close "$duel" || return 1
    if ! xd_wait_exit "$XD_PID" 5 2>/dev/null; then
        # the rare caught cheating of the second duel: seven boxes, each OK'd, then her win
        local i
        for (( i = 0; i < 7; i++ )); do sleep 1; xd_key Return; done
        return 2
    fi
    ear_mark
    orca_launch メインタイトル "$EAR_GAME" || return 1
    orca_quiet 1 10
    ear_warp "$code" "$button" "$window"
}
