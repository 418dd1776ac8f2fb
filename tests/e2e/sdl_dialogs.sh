# Sourced by the Linux end-to-end scripts, after session.sh: which dialog the
# game's ImGui layer shows. A dialog is seen by its title bar: the one focused
# ImGui window has a title bar of one exact colour, and the width of that bar
# says which dialog it is.

# ImageMagick's own convert, even where something else stands first in PATH.
[ -x /usr/bin/convert ] && convert() { /usr/bin/convert "$@"; }

TITLE_RGB="41,74,122"      # ImGui's focused title bar
ABOUT_W=402; SCORES_W=325; BOX_W=220   # 230 and 186 dialog units; the box at least
# A message box grows with its text: the save error's 42 characters make
# its title bar this wide, where the GAME OVER box keeps its minimum.
SAVE_ERROR_W=383

# "W H X Y" of the focused dialog's title bar, or "0 0 0 0".
title_box() {
    local g
    g=$(convert "$1" -fill black +opaque "rgb($TITLE_RGB)" -fill white -opaque "rgb($TITLE_RGB)" \
        -format "%[fx:mean*w*h]" info:)
    if [ "${g%.*}" -lt 50 ]; then echo "0 0 0 0"; return; fi
    convert "$1" -fill black +opaque "rgb($TITLE_RGB)" -trim -format "%w %h %X %Y" info: | tr -d '+'
}
# Which dialog is up, by its title bar's width (give or take its border):
# about, scores (High Scores and New High Score share a size), box (GAME
# OVER), save_error, or none.
dialog_kind() {
    local w; w=$(title_box "$1" | cut -d' ' -f1)
    if [ "$w" -ge $((ABOUT_W - 4)) ] && [ "$w" -le $((ABOUT_W + 2)) ]; then echo about
    elif [ "$w" -ge $((SCORES_W - 4)) ] && [ "$w" -le $((SCORES_W + 2)) ]; then echo scores
    elif [ "$w" -ge $((BOX_W - 4)) ] && [ "$w" -le $((BOX_W + 60)) ]; then echo box
    elif [ "$w" -ge $((SAVE_ERROR_W - 3)) ] && [ "$w" -le $((SAVE_ERROR_W + 2)) ]; then echo save_error
    elif [ "$w" -eq 0 ]; then echo none
    else echo "other($w)"; fi
}

# wait_dialog KIND SECONDS: until the game's window $WIN shows dialog KIND
# (its picture is left in $E2E_DIR/d.png).
wait_dialog() {
    local i
    for i in $(seq $(( $2 * 5 ))); do
        e2e_shot "$E2E_DIR/d.png" "$WIN"
        [ "$(dialog_kind "$E2E_DIR/d.png")" = "$1" ] && return 0
        sleep 0.2
    done
    return 1
}
