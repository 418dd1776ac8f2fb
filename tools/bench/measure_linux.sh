#!/usr/bin/env bash
# Figures of the Linux game, taken from outside through /proc while it plays
# on a private Xvfb and PulseAudio (nothing in the game reports on itself):
# peak resident memory after SECONDS of play, and the processor time of each
# of its threads per second of play (the SDL audio thread, FluidSynth's and
# PulseAudio's threads, the music timer, the window thread).
# Usage: tools/bench/measure_linux.sh [SECONDS]   (default 60)
set -uo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-60}
. tests/e2e/session.sh
e2e_session_start measure || exit 1
trap 'e2e_session_stop; rm -rf "$E2E_DIR"' EXIT
e2e_spawn GAME env XDG_DATA_HOME="$E2E_DIR/data" build/linux/waxdrop
WIN=$(e2e_wait_window WaxDrop 15) || { echo "no window"; exit 1; }
xdotool windowfocus "$WIN"
# Resume with the paddle under the first ball; later balls may be lost, and a
# paused game draws its frames all the same.
xdotool mousemove --window "$WIN" 327 300 click 1
tick=$(getconf CLK_TCK)
declare -A start_ticks
for t in /proc/"$GAME"/task/*; do
    read -r -a f <<<"$(sed 's/.*) //' "$t/stat")"
    start_ticks[${t##*/}]=$(( f[11] + f[12] ))
done
sleep "$seconds"
echo "peak resident memory after ${seconds} s: $(awk '/VmHWM/ {print $2, $3}' /proc/"$GAME"/status)"
echo "processor time per second of play, by thread:"
for t in /proc/"$GAME"/task/*; do
    id=${t##*/}
    comm=$(cat "$t/comm")
    # The name may hold spaces: the fields after it start at the last ')'.
    rest=$(sed 's/.*) //' "$t/stat")
    read -r -a f <<<"$rest"
    now=$(( f[11] + f[12] ))
    used=$(( now - ${start_ticks[$id]:-0} ))
    awk -v n="$comm" -v id="$id" -v u="$used" -v hz="$tick" -v s="$seconds" \
        'BEGIN { printf "  %-16s %7s  %6.1f ms/s\n", n, id, u * 1000 / hz / s }'
done
xdotool key --window "$WIN" alt+F4
echo "exit status: $(e2e_wait_exit "$GAME" 5)"
