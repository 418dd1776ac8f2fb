#!/usr/bin/env bash
# The same game on every build: every replay script, a 30,000-frame auto-played
# game and waxdrop-media on the shipped media run on the Linux build, under
# Wine on the Windows build and under node on the browser build, each of the
# two that has been built; every line they print must be the same (only the
# auto-player's wall-clock figures may differ).
#
#   tests/e2e/same_game.sh [LINUX_BUILD [WINDOWS_BUILD [WEB_BUILD]]]
#
# Prints PASS/FAIL per case and ends with "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/../.."
linux=${1:-build/linux}
windows=${2:-build/windows}
web=${3:-build/web}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/waxdrop-same-game.XXXXXX")
export WINEPREFIX=$scratch/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
trap 'wineserver -k >/dev/null 2>&1; rm -rf "$scratch"' EXIT

. tests/e2e/tally.sh
fail() { e2e_result "$1" 1 "$2"; }

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
# A score file for waxdrop-media to read on both: the one the Linux replay
# leaves after its high-score script (name "Wren", score 2).
mkdir -p "$scratch/scores"
"$linux/waxdrop-replay" --media "$scratch/scores" tests/replay/high_score.txt >/dev/null &&
    [ -s "$scratch/scores/media/scores.bin" ] && cp "$scratch/scores/media/scores.bin" "$scratch/scores.bin" ||
    fail build_scores "the Linux replay left no score file"

# How each build runs a program: the same arguments, its own launcher.
run_linux() { "$linux/$1" "${@:2}"; }
run_windows() { wine "$windows/$1.exe" "${@:2}"; }
# The wasm is read from the file, not fetched: node's fetch takes no file paths.
run_web() { node --no-experimental-fetch "$web/$1.js" "${@:2}"; }
others=()
for other in windows:exe web:js; do
    name=${other%:*} ext=${other#*:}
    if [ -f "${!name}/waxdrop-replay.$ext" ] && [ -f "${!name}/waxdrop-media.$ext" ]; then
        others+=("$name")
    else
        echo "no $name build in ${!name}: not compared"
    fi
done
if [ ${#others[@]} -eq 0 ]; then
    fail builds "neither a Windows nor a web build to compare with"
    e2e_summary
    exit 1
fi

for c in "${cases[@]}"; do
    IFS='|' read -r name program args <<<"$c"
    args=${args//SCORES/$scratch/scores.bin}
    args=${args//OUT/$scratch}
    # shellcheck disable=SC2086
    run_linux "$program" $args 2>>"$scratch/stderr.linux" | normalise >"$scratch/$name.linux"
    linux_rc=${PIPESTATUS[0]}
    lines=$(wc -l <"$scratch/$name.linux")
    problem=""
    for other in "${others[@]}"; do
        # shellcheck disable=SC2086
        "run_$other" "$program" $args 2>>"$scratch/stderr.$other" | normalise >"$scratch/$name.$other"
        other_rc=${PIPESTATUS[0]}
        if [ "$lines" -eq 0 ]; then
            problem="the Linux build printed nothing"
        elif [ "$linux_rc" -ne "$other_rc" ]; then
            problem="exit $linux_rc on Linux, $other_rc on $other"
        elif ! diff -q "$scratch/$name.linux" "$scratch/$name.$other" >/dev/null; then
            problem="outputs differ on $other: $(diff "$scratch/$name.linux" "$scratch/$name.$other" | head -n 4 | tr '\n' ' ')"
        fi
        [ -n "$problem" ] && break
    done
    if [ -n "$problem" ]; then
        fail "$name" "$problem"
    else
        e2e_result "$name" 0
        echo "     $lines line(s) equal on linux and ${others[*]}; $(head -c 160 "$scratch/$name.linux" | head -n 1)"
    fi
done

e2e_summary
