#!/usr/bin/env bash
# Runs every fuzzer for a long while (default 600 s each, two at a time) from
# the committed corpus, the seeds and the outside media, then merges what they
# found, minimised, back into tests/fuzz/corpus/NAME. Prints per fuzzer: runs,
# edges covered, corpus files, and any crash file. Needs the fuzz build:
#   cmake --preset fuzz && cmake --build --preset fuzz
set -uo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-600}
bin=build/fuzz/tests/fuzz
shared=../shared/realfiles
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

seeds_for() {
    case $1 in
        fuzz_bmp) echo resources/bitmaps ;;
        fuzz_ico) echo resources/icons ;;
        fuzz_effect | fuzz_song) echo media $( [ -d $shared ] && find $shared -type d ) ;;
    esac
}

run_one() {
    local name=$1 dict=${1#fuzz_}
    mkdir -p "$work/$name" "$work/$name.crashes" "tests/fuzz/corpus/$name"
    nice -n 10 "$bin/$name" -max_total_time="$seconds" -rss_limit_mb=1024 -print_final_stats=1 \
        -dict="tests/fuzz/dict/$dict.dict" -artifact_prefix="$work/$name.crashes/" \
        "$work/$name" "tests/fuzz/corpus/$name" $(seeds_for "$name") >"$work/$name.log" 2>&1
}

names=(fuzz_bmp fuzz_ico fuzz_effect fuzz_song fuzz_scores)
for ((i = 0; i < ${#names[@]}; i += 2)); do
    run_one "${names[i]}" &
    [ $((i + 1)) -lt ${#names[@]} ] && run_one "${names[i + 1]}" &
    wait
done

for name in "${names[@]}"; do
    # The minimised union of the old committed corpus and what this run found.
    mkdir -p "$work/$name.merged"
    "$bin/$name" -merge=1 -dict="tests/fuzz/dict/${name#fuzz_}.dict" "$work/$name.merged" \
        "tests/fuzz/corpus/$name" "$work/$name" >"$work/$name.merge.log" 2>&1
    rm -f "tests/fuzz/corpus/$name"/*
    cp "$work/$name.merged"/* "tests/fuzz/corpus/$name"/ 2>/dev/null
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/$name.log" | grep -o '[0-9]*$')
    edges=$(grep -o 'cov: [0-9]*' "$work/$name.log" | tail -n 1 | grep -o '[0-9]*')
    crashes=$(ls "$work/$name.crashes" | wc -l)
    printf '%-12s %s s  runs %s  edges %s  corpus %s files  crashes %s\n' "$name" "$seconds" \
        "${runs:-?}" "${edges:-?}" "$(ls "tests/fuzz/corpus/$name" | wc -l)" "$crashes"
    [ "$crashes" -eq 0 ] || cp "$work/$name.crashes"/* "tests/fuzz/corpus/$name"/ 2>/dev/null
done
