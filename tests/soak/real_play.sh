#!/usr/bin/env bash
# The real Linux game played for a long while on a private X display, with
# music and effects going to a null sink: the pointer sweeps over the field,
# the left button is clicked twice a second (resuming and firing), and Return
# every second answers a New High Score dialog or closes a GAME OVER box.
# Prints the game's resident memory, threads and open files at the
# checkpoint and at the end, and fails if the game died, grew by more than
# 2 MB after the checkpoint, gained threads or files, or did not close cleanly.
#
#   tests/soak/real_play.sh [SECONDS] [CHECKPOINT_SECONDS] [GAME]
# (defaults: 3600, 300, build/linux/waxdrop)
set -uo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-3600}
checkpoint=${2:-300}
game=$(realpath "${3:-build/linux/waxdrop}")
. tests/e2e/session.sh
trap e2e_session_stop EXIT
e2e_session_start soak || exit 1
export XDG_DATA_HOME="$E2E_DIR/data"

e2e_spawn pid "$game"
win=$(e2e_wait_window WaxDrop 20) || { e2e_result "the game window appeared" 1; e2e_summary; exit 1; }

sample() {
    local rss threads fds
    rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
    threads=$(awk '/^Threads/ {print $2}' "/proc/$pid/status")
    fds=$(ls "/proc/$pid/fd" | wc -l)
    echo "$rss $threads $fds"
}
# Where the resident memory lies: the heap and other private pages, mapped
# files, and memory shared with the sound server.
report() {
    awk -v t="$1" '/^(VmRSS|RssAnon|RssFile|RssShmem|Threads)/ {v[$1]=$2}
        END {printf "at %s s: resident %s kB (private %s, files %s, shared %s), %s threads", t,
             v["VmRSS:"], v["RssAnon:"], v["RssFile:"], v["RssShmem:"], v["Threads:"]}' "/proc/$pid/status"
    echo ", $(ls "/proc/$pid/fd" | wc -l) files"
}

start=$(date +%s)
step=0
read -r rss0 threads0 fds0 <<<"$(sample)"
checked=""
# A line every REPORT_EVERY seconds (default 300) shows the trend.
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
        xdotool key Return >/dev/null 2>&1
    fi
    if [ -z "$checked" ] && [ $(( $(date +%s) - start )) -ge "$checkpoint" ]; then
        read -r rss1 threads1 fds1 <<<"$(sample)"
        checked=1
        echo "checkpoint $(report $(( $(date +%s) - start )))"
    fi
    elapsed=$(( $(date +%s) - start ))
    if [ "$elapsed" -ge "$next_report" ] && kill -0 "$pid" 2>/dev/null; then
        report "$elapsed"
        next_report=$((next_report + every))
    fi
    sleep 0.5
done

check() { eval "$2"; e2e_result "$1" $?; }
check "the game ran for ${seconds} s" 'kill -0 "$pid" 2>/dev/null'
if kill -0 "$pid" 2>/dev/null; then
    read -r rss2 threads2 fds2 <<<"$(sample)"
    echo "at start: resident ${rss0} kB, ${threads0} threads, ${fds0} files"
    echo "at the end: resident ${rss2} kB, ${threads2} threads, ${fds2} files"
    [ -n "$checked" ] || { rss1=$rss0; threads1=$threads0; fds1=$fds0; }
    check "resident memory within 2 MB of the checkpoint" '[ $((rss2 - rss1)) -le 2048 ]'
    check "no more threads than at the checkpoint" '[ "$threads2" -le "$threads1" ]'
    check "no more open files than at the checkpoint" '[ "$fds2" -le "$fds1" ]'
    # What the play left behind: games were lost and names entered.
    media=$(dirname "$game")/waxdrop-media
    [ -x "$media" ] && echo "score file at the end: $("$media" scores "$XDG_DATA_HOME/waxdrop/scores.bin" 2>&1 | tr '\n' ' ')"
    xdotool key --window "$win" alt+F4 >/dev/null 2>&1
    status=$(e2e_wait_exit "$pid" 5)
    check "Alt+F4 ends it with status 0 within 5 s" '[ "$status" = 0 ]'
fi
e2e_summary
