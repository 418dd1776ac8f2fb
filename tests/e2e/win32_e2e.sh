#!/usr/bin/env bash
# The Win32 game end to end under Wine: real window, real mouse and keys
# (xdotool), real pictures (import) and real sound (a PulseAudio null sink).
#
#   tests/e2e/win32_e2e.sh [BUILD] [SHOTS_DIR] [CASES]
#
# BUILD is the Windows build folder (build/windows); with SHOTS_DIR the
# pictures of the first frame and of each box are copied there. Each case is
# a row of the table below: an action that drives the game and prints what
# it observes as "key value" lines, and the lines it must have printed. The
# cases run in order, in three games: a fresh one played to a new high score,
# one with a score table it cannot enter that ends with the GAME OVER box,
# and one that is only closed. Prints PASS/FAIL per case and ends with
# "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/windows}
shots_out=${2:-}
only=${3:-}  # an extended regular expression: run only the cases it matches
here=tests/e2e
. $here/session.sh
. $here/wine_game.sh

# The scratch folder (pictures, recordings, score files) is kept when a case
# failed, and its place is said.
finish() {
    wine_session_stop
    if [ "$E2E_FAILED" -eq 0 ]; then rm -rf "${E2E_DIR:-/nonexistent}"; else echo "pictures and files kept in $E2E_DIR"; fi
}
trap finish EXIT
wine_session_start win32 "$build" || { e2e_result session 1 "no X display or sound server"; e2e_summary; exit 1; }

# ---- actions -----------------------------------------------------------

# A fresh install, no score file: the game opens paused on its first frame.
start_fresh() {
    game_start "$(game_install fresh)" && echo "window yes"
    e2e_record_start "$E2E_DIR/sound.raw"
}

# Nothing but the game's window is shown: no MIDI device under Wine, and the
# game says nothing about it.
no_music_no_message() {
    sleep 1
    echo "other_windows $(xdotool search --onlyvisible --name '.' 2>/dev/null | grep -vcx "$WIN")"
    echo "running $(kill -0 "$GAME" 2>/dev/null && echo yes || echo no)"
}

first_frame() {
    shot first-frame
    field first-frame
    local magenta
    magenta=$(field first-frame | awk '$1 == "magenta" {print $2}')
    [ "${magenta:-0}" -gt 200 ] && echo "score_line magenta"
}

paused_still() {
    shot paused-1; sleep 0.5; shot paused-2
    echo "still $(same_picture paused-1 paused-2)"
}

about_keys() {
    focus "$WIN"; xdotool key "$1"
    local box
    box=$(e2e_wait_window "About WaxDrop" 5) || { echo "about none"; return; }
    echo "about open"
    texts "About WaxDrop"
    [ "$1" = alt+question ] && shot_over about "$box"
    focus "$box"; xdotool key "$2"
    e2e_wait_gone "$box" 5 && echo "closed_by $2"
}
about_alt_question() { about_keys alt+question Return; }
about_alt_slash() { about_keys alt+slash Escape; }

about_menu() {
    menu_help Down Return
    local box
    box=$(e2e_wait_window "About WaxDrop" 5) || { echo "about none"; return; }
    echo "about open"
    focus "$box"; xdotool key Return
    e2e_wait_gone "$box" 5 && echo "closed yes"
}

high_scores_fresh() {
    menu_file Down Return
    local box
    box=$(e2e_wait_window "High Scores" 5) || { echo "dialog none"; return; }
    echo "dialog open"
    texts "High Scores"
    shot_over high-scores "$box"
    focus "$box"; xdotool key Escape; sleep 0.5
    xdotool getwindowname "$box" >/dev/null 2>&1 && echo "esc_ignored yes"
    xdotool key Return
    e2e_wait_gone "$box" 5 && echo "closed_by_ok yes"
}

# The pointer over the paddle's place under the served ball (column 347).
click_resumes() {
    xdotool mousemove $(client_point 327 300) click 1
    sleep 0.1; shot run-1; sleep 0.3; shot run-2
    echo "still $(same_picture run-1 run-2)"
}

p_pauses() {
    # The paddle is under the ball, which cannot be lost meanwhile: a still
    # picture is the pause.
    focus "$WIN"; xdotool key p
    sleep 0.6; shot p-1; sleep 0.5; shot p-2
    echo "still $(same_picture p-1 p-2)"
}

# Resumed with the paddle under the ball: it bounces off the paddle
# ("doing.wav") and breaks honeycombs ("brick.wav"), then the paddle goes
# to the left edge and the ball is lost.
effects_heard() {
    xdotool click 1
    sleep 2.4
    xdotool mousemove $(client_point 0 300)
    sleep 0.6
    e2e_record_stop
    local peak
    peak=$(e2e_peak "$E2E_DIR/sound.raw")
    echo "recorded $([ -s "$E2E_DIR/sound.raw" ] && echo yes || echo no)"
    [ "${peak:-0}" -gt 1000 ] && echo "sound heard"
}

# Clicks while the paddle waits at the left edge: each serve falls past it,
# until the last ball is lost and a dialog or box comes up.
lose_balls_until() {
    local box i
    for i in $(seq 12); do
        box=$(e2e_wait_window "$1" 2) && { echo "$box"; return 0; }
        xdotool mousemove $(client_point 0 300) click 1
    done
    return 1
}

new_high_score() {
    local box
    box=$(lose_balls_until "New High Score") || { echo "dialog none"; return; }
    echo "dialog open"
    texts "New High Score"
    shot_over new-high-score "$box"
    # The focus starts on OK; a step back in the tab order is the name field,
    # whose text is selected on the way in.
    focus "$box"; xdotool key shift+Tab; xdotool type --delay 50 "Wren"; xdotool key Return
    e2e_wait_gone "$box" 5 && echo "closed yes"
    sleep 0.5
    python3 $here/score_file.py read "$GAME_DIR/media/scores.bin" 2>&1 | sed 's/^[1-9][0-9]*: Wren\.$/N: Wren./'
}

high_scores_after() {
    menu_file Down Return
    local box
    box=$(e2e_wait_window "High Scores" 5) || { echo "dialog none"; return; }
    local file dialog
    file=$(python3 $here/score_file.py read "$GAME_DIR/media/scores.bin" | grep ':' | tr '\n' '|')
    dialog=$(texts "High Scores" | grep ':' | tr '\n' '|')
    echo "same_as_file $([ -n "$dialog" ] && [ "$dialog" = "$file" ] && echo yes || echo no)"
    focus "$box"; xdotool key Return
    e2e_wait_gone "$box" 5 && echo "closed yes"
}

exit_menu() {
    menu_file x
    # Waited for here, not in a subshell: only this shell can collect its exit code.
    e2e_wait_exit "$GAME" 10 >"$E2E_DIR/exit.code" || echo "still running"
    echo "exit $(cat "$E2E_DIR/exit.code")"
}

# A table no final score of this game can enter: 0 is not above 10.
start_full_table() {
    python3 $here/score_file.py write "$E2E_DIR/full.bin" Ada=50 Bo=30 Cy=10
    game_start "$(game_install full "$E2E_DIR/full.bin")" && echo "window yes"
}

game_over_box() {
    xdotool mousemove $(client_point 0 300)
    GAME_OVER_BOX=$(lose_balls_until Pinecastle) || { echo "box none"; return; }
    echo "box open"
    texts Pinecastle
    shot_over game-over "$GAME_OVER_BOX"
}

# The box has no owner, so the main window still takes clicks: a click on
# the field at x 100 reaches the game behind it, paused by the loss of its
# last ball, and resumes it. The frame that opened the box is still painting,
# so the picture only moves once OK has closed the box and that frame has
# ended: then the running game brings the paddle from the left edge, where
# it waited, to the pointer's x of that click. Had the click been lost, the
# game would still be paused with the paddle at the edge. The score file is
# left as it was.
# Closes a box with its OK button: a click on it, then Enter, again while it
# is still there. While the game runs, Wine confines the pointer with a grab
# of its own, and a click then only brings the box forward (its release goes
# to the grab), so it is the key that closes it.
close_box() {
    local i X Y WIDTH HEIGHT SCREEN WINDOW
    for i in 1 2 3; do
        eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)" || return 0
        xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 22)) click 1
        e2e_wait_gone "$1" 1 && return 0
        focus "$1"; xdotool key Return
        e2e_wait_gone "$1" 2 && return 0
    done
    return 1
}
click_behind_box() {
    [ -n "${GAME_OVER_BOX:-}" ] || { echo "box none"; return; }
    xdotool mousemove $(client_point 100 300) click 1
    sleep 0.5
    xdotool getwindowname "$GAME_OVER_BOX" >/dev/null 2>&1 && echo "box still_open"
    # Closed by its keyboard first: the pointer's way to the OK button would
    # take the paddle with it, if the click set the game running.
    focus "$GAME_OVER_BOX"; xdotool key Return
    { e2e_wait_gone "$GAME_OVER_BOX" 2 || close_box "$GAME_OVER_BOX"; } && echo "box closed"
    sleep 1; shot behind
    field behind | grep '^paddle'
    echo "scores_file $(cmp -s "$E2E_DIR/full.bin" "$GAME_DIR/media/scores.bin" && echo unchanged || echo changed)"
}

exit_alt_f4() {
    # A second GAME OVER box may have come from the resumed game meanwhile.
    local box i
    for i in 1 2 3; do
        box=$(e2e_wait_window Pinecastle 1) || break
        close_box "$box"
    done
    game_close_alt_f4
    echo "exit $(cat "$E2E_DIR/exit.code")"
}

start_again() { game_start "$(game_install again)" && echo "window yes"; }

# ---- the table ---------------------------------------------------------
# name | action | lines the action must print (separated by ;)
cases=(
  "start|start_fresh|window yes"
  "runs_without_music_silently|no_music_no_message|other_windows 0;running yes"
  "first_frame|first_frame|client 634 436;combs 80;bees 5;ball 347 200;paddle 320 400;stray 0;score_line magenta"
  "paused_picture_stays|paused_still|still yes"
  "about_alt_question_enter|about_alt_question|about open;WaxDrop Version 1.0;Copyright (c) 2026 the WaxDrop developers;OK;Knock down honeycombs while avoiding bees!;closed_by Return"
  "about_alt_slash_esc|about_alt_slash|about open;closed_by Escape"
  "about_help_menu|about_menu|about open;closed yes"
  "high_scores_fresh|high_scores_fresh|dialog open;OK;0: open.;esc_ignored yes;closed_by_ok yes"
  "click_resumes_ball_moves|click_resumes|still no"
  "p_release_pauses|p_pauses|still yes"
  "effects_heard|effects_heard|recorded yes;sound heard"
  "new_high_score_saved|new_high_score|dialog open;Enter your name for the score board.;anonymous;closed yes;N: Wren.;0: open.;rest zero;length exact"
  "high_scores_show_file|high_scores_after|same_as_file yes;closed yes"
  "exit_menu_code_0|exit_menu|exit 0"
  "game_over_box|start_full_table|window yes"
  "game_over_box_shown|game_over_box|box open;GAME OVER"
  "click_behind_box_reaches_game|click_behind_box|box still_open;box closed;paddle 100 400;scores_file unchanged"
  "alt_f4_code_0|exit_alt_f4|exit 0"
)

started=$(date +%s)
for c in "${cases[@]}"; do
    IFS='|' read -r name action expected <<<"$c"
    [ -n "$only" ] && ! grep -Eq -- "$only" <<<"$name" && continue
    # In this shell, not a subshell: the games it starts stay ours to stop.
    $action >"$E2E_DIR/case.out" 2>&1
    out=$(cat "$E2E_DIR/case.out")
    missing=()
    IFS=';' read -ra wanted <<<"$expected"
    for line in "${wanted[@]}"; do
        grep -Fxq -- "$line" <<<"$out" || missing+=("$line")
    done
    if [ ${#missing[@]} -eq 0 ]; then e2e_result "$name" 0
    else e2e_result "$name" 1 "missing '$(IFS=/; echo "${missing[*]}")'; saw: $(tr '\n' '/' <<<"$out" | head -c 400)"; fi
done
echo "cases took $(( $(date +%s) - started )) s"

if [ -n "$shots_out" ]; then
    mkdir -p "$shots_out"
    for s in first-frame about high-scores new-high-score game-over; do
        [ -f "$E2E_DIR/$s.png" ] && cp "$E2E_DIR/$s.png" "$shots_out/win32-$s.png"
    done
fi
e2e_summary
