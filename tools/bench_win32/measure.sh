#!/usr/bin/env bash
# Frame rate and memory of the Win32 game under Wine on Xvfb, measured, not
# judged (nothing here passes or fails):
#  - frames per second of the game while it runs (waxdrop-perf.exe, the game
#    with a frame counter linked around frame_step) beside the bare paint
#    loop (waxdrop-paintbench.exe: only RedrawWindow and a 640 x 440 BitBlt
#    SRCCOPY per paint), ROUNDS rounds of SECONDS each, alternating; each run
#    gives the median of its frames per whole second, and the rounds their
#    median;
#  - the game's peak working set (VmHWM of its Wine process) after 60 s of
#    play.
#
#   tools/bench_win32/measure.sh [BUILD] [ROUNDS] [SECONDS]
set -uo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/windows}
rounds=${2:-3}
seconds=${3:-10}
. tests/e2e/session.sh
. tests/e2e/wine_game.sh
trap 'wine_session_stop; rm -rf "${E2E_DIR:-/nonexistent}"' EXIT
wine_session_start measure "$build" || exit 1

median() { sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
# Frames per second of a run: the median of its whole seconds, leaving out
# the first two and the last two (start-up, and the closing keys).
rate() {
    awk '$1 == "second" {print $4}' "$1" | sed '1,2d' | head -n -2 | median
}

# Keeps the game running: a click whenever a lost ball has paused it (a
# click while it runs fires a bullet, which is play too).
play_for() {
    local until=$(( $(date +%s) + $1 ))
    while [ "$(date +%s)" -lt "$until" ]; do
        xdotool mousemove $(client_point 300 300) click 1
        sleep 1
    done
}

: >"$E2E_DIR/bench.rates"; : >"$E2E_DIR/draw.rates"; : >"$E2E_DIR/game.rates"
for r in $(seq "$rounds"); do
    cp "$build/waxdrop-paintbench.exe" "$E2E_DIR/"
    wine "$E2E_DIR/waxdrop-paintbench.exe" 'Z:'"${E2E_DIR//\//\\}"'\bench.txt' "$((seconds + 4))" >/dev/null 2>&1
    rate "$E2E_DIR/bench.txt" >>"$E2E_DIR/bench.rates"
    wine "$E2E_DIR/waxdrop-paintbench.exe" 'Z:'"${E2E_DIR//\//\\}"'\draw.txt' "$((seconds + 4))" draw >/dev/null 2>&1
    rate "$E2E_DIR/draw.txt" >>"$E2E_DIR/draw.rates"

    dir=$(game_install perf)
    cp "$build/waxdrop-perf.exe" "$dir/waxdrop.exe"
    game_start "$dir" || { echo "the perf build did not start"; exit 1; }
    play_for "$((seconds + 2))"
    game_close_alt_f4
    rate "$dir/media/frames.txt" >>"$E2E_DIR/game.rates"
    echo "round $r: paint loop $(tail -n 1 "$E2E_DIR/bench.rates") /s ($(head -n 1 "$E2E_DIR/bench.txt")), paint loop with a frame's drawing $(tail -n 1 "$E2E_DIR/draw.rates") /s, game $(tail -n 1 "$E2E_DIR/game.rates") /s ($(head -n 1 "$dir/media/frames.txt"))"
done
bench=$(median <"$E2E_DIR/bench.rates")
draw=$(median <"$E2E_DIR/draw.rates")
game=$(median <"$E2E_DIR/game.rates")
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
echo "median frames per second: paint loop $bench, paint loop with a frame's drawing $draw, game $game"
echo "ratios: game / paint loop $(ratio "$game" "$bench"), game / paint loop with the drawing $(ratio "$game" "$draw")"

game_start "$(game_install memory)" || exit 1
play_for 60
echo "peak working set after 60 s of play: $(awk '/VmHWM/ {print $2, $3}' /proc/"$GAME"/status) (VmRSS now $(awk '/VmRSS/ {print $2, $3}' /proc/"$GAME"/status))"
game_close_alt_f4
