#!/usr/bin/env bash
# The same game on both builds: every replay script, a 30,000-frame auto-played
# game and waxdrop-media on the shipped media run on the Linux build and, under
# Wine, on the Windows build; every line they print must be the same (only the
# auto-player's wall-clock figures may differ).
#
#   tests/e2e/same_game.sh [LINUX_BUILD [WINDOWS_BUILD]]
#
# Prints PASS/FAIL per case and ends with "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/../.."
linux=${1:-build/linux}
windows=${2:-build/windows}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/waxdrop-same-game.XXXXXX")
export WINEPREFIX=$scratch/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
cleanup() {
    wineserver -k >/dev/null 2>&1
    rm -rf "$scratch"
}
trap cleanup EXIT

. tests/e2e/session.sh
pass() { e2e_result "$1" 0; }
fail() { e2e_result "$1" 1 "$2"; }

# A score file for waxdrop-media to read on both: the one the Linux replay
# leaves after its high-score script (name "Wren", score 2).
build_scores() {
    mkdir -p "$scratch/scores"
    "$linux/waxdrop-replay" --media "$scratch/scores" tests/replay/high_score.txt >/dev/null &&
        [ -s "$scratch/scores/media/scores.bin" ] && cp "$scratch/scores/media/scores.bin" "$scratch/scores.bin"
}

# name | program | arguments (paths relative to the checkout work on both;
# SCORES and OUT stand for files of this run). Only what a program prints on
# its standard output is compared: the Windows replay draws on a canvas that
# only counts, so it says on stderr that it has no snapshot to write.
cases=(
  "replay_bounce_and_break|waxdrop-replay|--out OUT tests/replay/bounce_and_break.txt"
  "replay_high_score|waxdrop-replay|--out OUT tests/replay/high_score.txt"
  "replay_three_balls_lost|waxdrop-replay|--out OUT tests/replay/three_balls_lost.txt"
  "auto_play_30000|waxdrop-replay|--tick 16 --miss-every 10 --auto 30000"
  "media_song|waxdrop-media|song media/song.mid"
  "media_song_summary|waxdrop-media|song --summary media/song.mid"
  "media_effect_doing|waxdrop-media|effect media/doing.wav"
  "media_effect_hit|waxdrop-media|effect media/hit.wav"
  "media_effect_brick|waxdrop-media|effect media/brick.wav"
  "media_effect_buzz|waxdrop-media|effect media/buzz.wav"
  "media_scores|waxdrop-media|scores SCORES"
)

# What a run printed, without the Windows line ends and the wall-clock figures.
normalise() { tr -d '\r' | sed -E 's/ wall_seconds [0-9.]+ frames_per_second [0-9]+$//'; }

wineboot -i >/dev/null 2>&1
build_scores || fail build_scores "the Linux replay left no score file"

for c in "${cases[@]}"; do
    IFS='|' read -r name program args <<<"$c"
    args=${args//SCORES/$scratch/scores.bin}
    args=${args//OUT/$scratch}
    # shellcheck disable=SC2086
    "$linux/$program" $args 2>>"$scratch/stderr.linux" | normalise >"$scratch/$name.linux"
    linux_rc=${PIPESTATUS[0]}
    # shellcheck disable=SC2086
    wine "$windows/$program.exe" $args 2>>"$scratch/stderr.windows" | normalise >"$scratch/$name.windows"
    windows_rc=${PIPESTATUS[0]}
    lines=$(wc -l <"$scratch/$name.linux")
    if [ "$lines" -eq 0 ]; then
        fail "$name" "the Linux build printed nothing"
    elif [ "$linux_rc" -ne "$windows_rc" ]; then
        fail "$name" "exit $linux_rc on Linux, $windows_rc under Wine"
    elif ! diff -q "$scratch/$name.linux" "$scratch/$name.windows" >/dev/null; then
        fail "$name" "outputs differ: $(diff "$scratch/$name.linux" "$scratch/$name.windows" | head -n 4 | tr '\n' ' ')"
    else
        pass "$name"
        echo "     $lines line(s) equal; $(head -c 160 "$scratch/$name.linux" | head -n 1)"
    fi
done

e2e_summary
