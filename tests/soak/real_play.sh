#!/usr/bin/env bash
# The real game played for a long while on a private X display, with music
# and effects going to a null sink: the pointer sweeps over the field, the
# left button is clicked twice a second (resuming and firing), and Return
# every second answers a New High Score dialog or closes a GAME OVER box.
# The Linux game (default) or the Windows game under Wine, in a prefix of
# the run's own, copied with its media into a folder of its own.
#
# Reports the game's resident memory, threads and open files (Linux), or the
# resident memory of its Wine process with its GDI and USER objects, kernel
# handles and working set as Windows counts them (Windows), at the start, at
# the checkpoint, every REPORT_EVERY seconds (default 300) and at the end.
# Fails if the game died, grew by more than 2 MB after the checkpoint,
# gained threads, files or handles, or did not close with status 0.
#
#   tests/soak/real_play.sh [SECONDS] [CHECKPOINT_SECONDS] [GAME]
#   tests/soak/real_play.sh [SECONDS] [CHECKPOINT_SECONDS] windows [BUILD]
# (defaults: 3600, 300, build/linux/waxdrop; build/windows)
set -uo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-3600}
checkpoint=${2:-300}
. tests/e2e/session.sh

windows=""
if [ "${3:-}" = windows ]; then
    windows=yes
    . tests/e2e/wine_game.sh
    trap wine_session_stop EXIT
    wine_session_start soak "$(realpath "${4:-build/windows}")" || exit 1
    game_dir=$(game_install game)
    game_start "$game_dir" || { e2e_result "the game window appeared" 1; e2e_summary; exit 1; }
    pid=$GAME win=$WIN
    scores=$game_dir/media/scores.bin
    media_tool=$E2E_BUILD/../linux/waxdrop-media
    # Windows' own counts of the game, read by a probe inside the same prefix.
    probe() { wine "$E2E_BUILD/waxdrop-winprobe.exe" WaxDrop 2>/dev/null | tr -d '\r'; }
    field() { probe | awk -v k="$1" '{for (i = 1; i < NF; i++) if ($i == k) print $(i + 1)}'; }
    # Wine gives a new box or dialog no keyboard focus while the pointer
    # keeps clicking the field: a click on it brings it forward (its button
    # may not take the click while the game holds the pointer), then Return.
    answer() {
        local w X Y WIDTH HEIGHT SCREEN WINDOW
        for w in $(xdotool search --onlyvisible --name '^(Pinecastle|New High Score)$' 2>/dev/null); do
            eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)" || continue
            xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 22)) click 1 >/dev/null 2>&1
            focus "$w"
            xdotool key Return >/dev/null 2>&1
        done
    }
    close_game() {
        answer; sleep 1; answer; sleep 1
        game_close_alt_f4
        cat "$E2E_DIR/exit.code"
    }
else
    game=$(realpath "${3:-build/linux/waxdrop}")
    trap e2e_session_stop EXIT
    e2e_session_start soak || exit 1
    export XDG_DATA_HOME="$E2E_DIR/data"
    e2e_spawn pid "$game"
    win=$(e2e_wait_window WaxDrop 20) || { e2e_result "the game window appeared" 1; e2e_summary; exit 1; }
    scores=$XDG_DATA_HOME/waxdrop/scores.bin
    media_tool=$(dirname "$game")/waxdrop-media
    probe() { :; }
    field() { echo 0; }
    answer() { xdotool key Return >/dev/null 2>&1; }
    close_game() {
        xdotool key --window "$win" alt+F4 >/dev/null 2>&1
        e2e_wait_exit "$pid" 5
    }
fi

# Resident memory (kB), threads, open files, and Windows' handle count (0 on Linux).
sample() {
    local rss threads fds
    rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
    threads=$(awk '/^Threads/ {print $2}' "/proc/$pid/status")
    fds=$(ls "/proc/$pid/fd" | wc -l)
    echo "$rss $threads $fds $(field listed_handles)"
}
# Where the resident memory lies: the heap and other private pages, mapped
# files, and memory shared with the sound server; then what Windows counts.
report() {
    awk -v t="$1" '/^(VmRSS|RssAnon|RssFile|RssShmem|Threads)/ {v[$1]=$2}
        END {printf "at %s s: resident %s kB (private %s, files %s, shared %s), %s threads", t,
             v["VmRSS:"], v["RssAnon:"], v["RssFile:"], v["RssShmem:"], v["Threads:"]}' "/proc/$pid/status"
    echo ", $(ls "/proc/$pid/fd" | wc -l) files${2:+; $2}"
}

start=$(date +%s)
step=0
read -r rss0 threads0 fds0 handles0 <<<"$(sample)"
report 0 "$(probe)"
checked=""
every=${REPORT_EVERY:-300}
next_report=$every
while [ $(( $(date +%s) - start )) -lt "$seconds" ]; do
    kill -0 "$pid" 2>/dev/null || break
    step=$((step + 1))
    # A sweep across the field and back every 20 s, in the window's coordinates.
    x=$(( 40 + (step * 7) % 1120 ))
    [ "$x" -gt 600 ] && x=$(( 1200 - x ))
    xdotool mousemove --window "$win" "$x" 300 click 1 >/dev/null 2>&1
    if [ $((step % 2)) -eq 0 ]; then
        # Every second: a player answers each box before playing on. The
        # GAME OVER box leaves the field open to clicks, so a new game can
        # start and end under it and open another on top; Return every few
        # seconds let those pile up, each box a loop deeper. Dialogs and
        # boxes may have their own windows: the key goes to the focus.
        answer
    fi
    elapsed=$(( $(date +%s) - start ))
    if [ -z "$checked" ] && [ "$elapsed" -ge "$checkpoint" ]; then
        read -r rss1 threads1 fds1 handles1 <<<"$(sample)"
        checked=1
        echo "checkpoint $(report "$elapsed" "$(probe)")"
    fi
    if [ "$elapsed" -ge "$next_report" ] && kill -0 "$pid" 2>/dev/null; then
        report "$elapsed" "$(probe)"
        next_report=$((next_report + every))
    fi
    sleep 0.5
done

check() { eval "$2"; e2e_result "$1" $?; }
check "the game ran for ${seconds} s" 'kill -0 "$pid" 2>/dev/null'
if kill -0 "$pid" 2>/dev/null; then
    read -r rss2 threads2 fds2 handles2 <<<"$(sample)"
    echo "end $(report "$(( $(date +%s) - start ))" "$(probe)")"
    echo "at start: resident ${rss0} kB, ${threads0} threads, ${fds0} files${windows:+, ${handles0} handles}"
    echo "at the end: resident ${rss2} kB, ${threads2} threads, ${fds2} files${windows:+, ${handles2} handles}"
    [ -n "$checked" ] || { rss1=$rss0; threads1=$threads0; fds1=$fds0; handles1=$handles0; }
    check "resident memory within 2 MB of the checkpoint" '[ $((rss2 - rss1)) -le 2048 ]'
    check "no more threads than at the checkpoint" '[ "$threads2" -le "$threads1" ]'
    check "no more open files than at the checkpoint" '[ "$fds2" -le "$fds1" ]'
    [ -n "$windows" ] && check "no more kernel handles than at the checkpoint" '[ "$handles2" -le "$handles1" ]'
    # What the play left behind: games were lost and names entered.
    [ -x "$media_tool" ] && echo "score file at the end: $("$media_tool" scores "$scores" 2>&1 | tr '\n' ' ')"
    status=$(close_game)
    check "Alt+F4 ends it with status 0" '[ "$status" = 0 ]'
fi
e2e_summary
