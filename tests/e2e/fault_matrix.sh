#!/usr/bin/env bash
# A player's machine at fault, through the real game: no media folder, each
# media file missing, empty, cut short, unreadable or a folder, a score
# folder it may not write, a save that fails half-way, no sound device, no
# soundfont. One table drives both builds:
#
#   tests/e2e/fault_matrix.sh linux|windows [BUILD]   (BUILD: build/linux|windows)
#
# Each case installs the game in a folder of its own, breaks it as its row
# says, seeds a known score table and starts the game as a player who is not
# root (for root, mode 000 and read-only folders mean nothing; under Wine the
# whole prefix belongs to that player). Then: the window comes up; a click on
# the field resumes the game (two pictures differ); no box shows, or for a
# failed save exactly the save error; what must still be heard is heard, and
# what cannot play is silent; Alt+F4 ends it with status 0 within 5 s; the
# score file is byte for byte the seeded one. Ends with "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/../.."
target=${1:?linux or windows}
build=${2:-build/$target}
here=tests/e2e
. $here/session.sh
. $here/wine_game.sh
. $here/sdl_dialogs.sh

# case | fault | heard while paused, then running: L loud, q quiet, - not
# checked (linux/windows) | the box a save shows: none, or save_error.
# Under Wine there is no MIDI device, so the Windows game's song is never
# heard; a broken wave file leaves the song to be heard on Linux.
CASES=(
  "no_media|media:gone|qq/-q|none"
  "no_audio_device|audio:none|qq/-q|none"
  "no_soundfont_no_midi|soundfont:none|qL/-L|none"
  "read_only_score_folder|scores:read_only|--/--|save_error"
  "save_fails_half_way|scores:fail_after_300|--/--|save_error"
)
for f in song.mid brick.wav buzz.wav doing.wav hit.wav; do
  for how in missing empty short mode000 folder; do
    case $f:$how in
      song.mid:short) hear="-L/-L" ;;      # the first half of the song may well play
      song.mid:*) hear="qL/-L" ;;
      *) hear="L-/--" ;;
    esac
    CASES+=("${f%.*}_${f#*.}_$how|$f:$how|$hear|none")
  done
done

# The player: nobody when we are root (RUN_AS starts a program as nobody).
RUN_AS=()
PLAYER=$(id -u)
if [ "$PLAYER" = 0 ]; then
    PLAYER=65534
    RUN_AS=(setpriv --reuid=$PLAYER --regid=$PLAYER --clear-groups env HOME="/nonexistent")
fi
EXE=; [ "$target" = windows ] && EXE=.exe

# The session, with what the player needs made reachable: the folders, the
# sound server's socket, and for Windows a Wine prefix of the player's own
# (wine, wineboot and wineserver run as the player through $E2E_DIR/bin).
start_session() {
    e2e_session_start "faults-$target" || return 1
    chmod 755 "$E2E_DIR" "$E2E_DIR/pulse"
    python3 $here/score_file.py write "$E2E_DIR/seed.bin" Ada=50 Bo=30 Cy=0
    [ "$target" = windows ] || return 0
    mkdir -p "$E2E_DIR/bin" "$E2E_DIR/home" "$E2E_DIR/wine"
    chown "$PLAYER" "$E2E_DIR/home" "$E2E_DIR/wine"
    [ ${#RUN_AS[@]} -gt 0 ] && RUN_AS[-1]=HOME=$E2E_DIR/home
    local tool
    for tool in wine wineboot wineserver; do
        printf '#!/bin/sh\nexec %s %s "$@"\n' "${RUN_AS[*]}" "$(command -v $tool)" >"$E2E_DIR/bin/$tool"
        chmod 755 "$E2E_DIR/bin/$tool"
    done
    export PATH=$E2E_DIR/bin:$PATH E2E_BUILD=$build
    export WINEPREFIX=$E2E_DIR/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    wineboot -i >/dev/null 2>&1
}

# install NAME FAULT: the game in $E2E_DIR/NAME, broken as FAULT says; sets
# DIR, SCORES (the score file's folder) and ENV (what its start adds).
install() {
    local name=$1 what=${2%%:*} how=${2#*:}
    ENV=()
    if [ "$target" = windows ]; then
        DIR=$(game_install "$name" "$E2E_DIR/seed.bin"); SCORES=$DIR/media
    else
        DIR=$E2E_DIR/$name; SCORES=$DIR/data/waxdrop
        mkdir -p "$SCORES"; cp "$build/waxdrop" "$DIR/"; cp -r "$build/media" "$build/resources" "$DIR/"
        cp "$E2E_DIR/seed.bin" "$SCORES/scores.bin"; ENV=(XDG_DATA_HOME="$DIR/data")
    fi
    chmod -R a+rX "$DIR"; chown -R "$PLAYER" "$SCORES"
    local m=$DIR/media/$what
    case $what:$how in
        media:gone) rm -rf "$DIR/media" ;;
        audio:none) ENV+=(SDL_AUDIODRIVER=pulseaudio PULSE_SERVER=unix:/nonexistent
                          WINEDLLOVERRIDES="mscoree,mshtml=,winepulse.drv=,winealsa.drv=,wineoss.drv=") ;;
        soundfont:none) ENV+=(WAXDROP_SOUNDFONT=/nonexistent) ;;
        # Windows keeps the score file in the media folder, Linux in a folder
        # of its own; either way the game may read it but not write there.
        scores:read_only) chmod 555 "$SCORES" ;;
        scores:fail_after_300)
            cp "$build/waxdrop-faults$EXE" "$DIR/waxdrop$EXE"; ENV+=(WAXDROP_FAIL_WRITE_AFTER=300) ;;
        *:missing) rm "$m" ;;
        *:empty) : >"$m" ;;
        *:short) truncate -s $(( $(stat -c %s "$m") / 2 )) "$m" ;;
        *:mode000) chmod 000 "$m" ;;
        *:folder) rm "$m"; mkdir "$m" ;;
    esac
}

# ---- the two builds' ways of doing the same things -------------------------

start() {
    [ ${#ENV[@]} -gt 0 ] && local -x "${ENV[@]}"
    if [ "$target" = windows ]; then game_start "$DIR"; return; fi
    e2e_spawn GAME "${RUN_AS[@]}" "$DIR/waxdrop"
    WIN=$(e2e_wait_window WaxDrop 15) || return 1
    # A click that comes before the window has settled is now and then lost.
    focus "$WIN"; sleep 0.3
}
at() {  # at X Y: the pointer to (X, Y) of the field
    if [ "$target" = windows ]; then xdotool mousemove $(client_point "$1" "$2")
    else xdotool mousemove --window "$WIN" "$1" $(( $2 + 20 )); fi
}
# The boxes up now: Linux the kind of ImGui dialog (none, scores,
# save_error, box ...); Windows the titles of the visible windows besides the
# game's, one a line, nothing when there are none.
boxes() {
    if [ "$target" = windows ]; then
        xdotool search --onlyvisible --name '.' 2>/dev/null | grep -vx "$WIN" |
            while read -r w; do xdotool getwindowname "$w"; done
    else
        e2e_shot "$E2E_DIR/box.png" "$WIN"; dialog_kind "$E2E_DIR/box.png"
    fi
}
no_box() { local b; b=$(boxes); [ -z "$b" ] || [ "$b" = none ]; }
close_game() {  # prints the exit status, or "running"
    if [ "$target" = windows ]; then game_close_alt_f4; cat "$E2E_DIR/exit.code"; return; fi
    focus "$WIN"; xdotool key alt+F4; e2e_wait_exit "$GAME" 5 || echo running
}
# Pictures as plain PPM, which holds nothing but the pixels.
differ() { ! cmp -s "$E2E_DIR/$1.ppm" "$E2E_DIR/$2.ppm"; }
shot_game() { e2e_shot "$E2E_DIR/$1.ppm" "$WIN"; }
# listen EXPECT SECONDS: the recording begun before, judged and stopped. L
# wants a peak above 1000 within SECONDS (and stops listening once there is
# one: a loaded machine starts the song late), q one below 50 all along;
# - only waits a moment.
listen() {
    local p=0 i
    if [ "$1" = - ]; then sleep 0.3; return 0; fi
    for i in $(seq $(( ${2%.*} * 4 ))); do
        sleep 0.25
        [ "$1" = L ] && p=$(e2e_peak "$E2E_DIR/rec.raw") && [ "$p" -gt 1000 ] && break
    done
    e2e_record_stop
    p=$(e2e_peak "$E2E_DIR/rec.raw"); NOTES+=("peak=$p")
    if [ "$1" = L ]; then [ "$p" -gt 1000 ]; else [ "$p" -lt 50 ]; fi
}
# moving: r1 and a later picture r2 differ (a loaded machine may take a while
# to draw its next frames).
moving() {
    local i
    for i in 1 2 3 4 5 6; do
        shot_game r2; differ r1 r2 && return 0
        sleep 0.3
    done
    return 1
}

# A whole game to its end with a new high score, whose save then fails: the
# served ball bounces off the paddle and breaks honeycombs for a while, then
# the paddle waits at the left edge and every serve falls past it. The name
# dialog is taken as it comes, and then the save error must be the one box.
save_fails() {
    sleep 2; at 0 300
    local i b
    for i in $(seq 30); do
        b=$(boxes)
        [ "$b" = scores ] || [ "$b" = "New High Score" ] && break
        [ "$b" = none ] || [ -z "$b" ] || { NOTES+=("box '$b' before the name dialog"); return 1; }
        xdotool click 1; sleep 0.5
    done
    [ "$i" -lt 30 ] || { NOTES+=("no name dialog"); return 1; }
    if [ "$target" = windows ]; then
        local w; w=$(e2e_wait_window "New High Score" 2) && focus "$w"; xdotool key Return
        w=$(e2e_wait_window Pinecastle 5) || { NOTES+=("no box"); return 1; }
        local t; t=$(texts Pinecastle | tr '\n' '|')
        NOTES+=("box: $t")
        [ "$t" = "window||OK|Error saving the score file [scores.bin].|" ] || return 1
        focus "$w"; xdotool key Return; e2e_wait_gone "$w" 3 || return 1
    else
        xdotool key Return
        wait_dialog save_error 5 || { NOTES+=("box '$(boxes)'"); return 1; }
        NOTES+=("box: save_error")
        xdotool key Return
    fi
    sleep 0.5; no_box || { NOTES+=("then '$(boxes)'"); return 1; }
}

run_case() {
    local name=$1 fault=$2 hear=$3 box=$4 failed=()
    NOTES=()
    [ "$target" = windows ] && hear=${hear#*/} || hear=${hear%/*}
    install "$name" "$fault"
    # Without a media folder a Windows game has no score file either.
    local seeded=no; [ -f "$SCORES/scores.bin" ] && seeded=yes
    local t0=$(date +%s%N)
    [ "${hear:0:1}" = - ] || e2e_record_start "$E2E_DIR/rec.raw"
    start || { e2e_result "$name" 1 "no window"; return; }
    NOTES+=("up=$(( ($(date +%s%N) - t0) / 1000000 ))ms")
    shot_game p1
    listen "${hear:0:1}" 3 || failed+=(paused_sound)
    shot_game p2
    # The paddle under the served ball, which falls at column 347: it
    # bounces (doing.wav) and breaks honeycombs (brick.wav).
    at 327 300; xdotool click 1; sleep 0.1
    shot_game r1
    [ "${hear:1:1}" = - ] || e2e_record_start "$E2E_DIR/rec.raw"
    listen "${hear:1:1}" 3 || failed+=(running_sound)
    moving || failed+=(resume)
    differ p1 p2 && failed+=(paused_moved)
    if [ "$box" = save_error ]; then save_fails || failed+=(save_box)
    else no_box || { failed+=(box); NOTES+=("box '$(boxes)'"); }; fi
    t0=$(date +%s%N)
    local status; status=$(close_game); NOTES+=("exit=$status" "close=$(( ($(date +%s%N) - t0) / 1000000 ))ms")
    [ "$status" = 0 ] || failed+=(exit)
    # One that hangs goes now, by its id, before the next case starts.
    [ "$status" = running ] && kill -9 "$GAME" 2>/dev/null
    if [ $seeded = yes ]; then cmp -s "$E2E_DIR/seed.bin" "$SCORES/scores.bin" || failed+=(scores_changed)
    else [ -e "$SCORES/scores.bin" ] && failed+=(scores_made); fi
    [ -e "$SCORES/scores.bin.tmp" ] && failed+=(temp_left)
    e2e_result "$name" ${#failed[@]} "${failed[*]:+failed: ${failed[*]}; }${NOTES[*]}"
    [ "$target" = linux ] && rm -rf "$DIR"
}

started=$(date +%s)
finish() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
    e2e_session_stop
    if [ "$E2E_FAILED" -eq 0 ]; then rm -rf "$E2E_DIR"; else echo "files kept in $E2E_DIR"; fi
}
trap finish EXIT
start_session || { e2e_result session 1 "no X display or sound server"; e2e_summary; exit 1; }
echo "session ready after $(( $(date +%s) - started )) s"
for c in "${CASES[@]}"; do
    IFS='|' read -r name fault hear box <<<"$c"
    # FAULT_CASES (an extended regular expression) picks cases while working on them.
    [ -n "${FAULT_CASES:-}" ] && ! grep -Eq -- "$FAULT_CASES" <<<"$name" && continue
    run_case "$name" "$fault" "$hear" "$box"
done
echo "$target took $(( $(date +%s) - started )) s"
e2e_summary
