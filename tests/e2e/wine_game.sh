# Sourced by the Win32 end-to-end scripts, after session.sh: a Wine prefix of
# the session's own, the game started from a folder of its own, and the
# probes the cases observe it with. Everything runs on the session's private
# display and sound server.

E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_BITMAPS=$E2E_HERE/../../resources/bitmaps

# wine_session_start NAME BUILD: the X and sound session, then a fresh Wine
# prefix inside it (its wineserver is stopped by wine_session_stop).
wine_session_start() {
    e2e_session_start "$1" || return 1
    E2E_BUILD=$2
    export WINEPREFIX=$E2E_DIR/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    wineboot -i >/dev/null 2>&1
}

wine_session_stop() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
    e2e_session_stop
}

# game_install DIR [SCORES]: the game and its media copied into a folder of
# its own, with SCORES (a file) as its score file when given.
game_install() {
    local dir=$E2E_DIR/$1
    rm -rf "$dir"
    mkdir -p "$dir"
    cp "$E2E_BUILD/waxdrop.exe" "$dir/"
    cp -r "$E2E_BUILD/media" "$dir/media"
    rm -f "$dir/media/scores.bin"
    [ -n "${2:-}" ] && cp "$2" "$dir/media/scores.bin"
    echo "$dir"
}

# game_start DIR: starts DIR/waxdrop.exe; sets GAME (its process id), WIN (its
# X window), WX, WY (the window's place on the screen), TOP (rows of menu bar
# above the client area, measured on the first start of a session).
game_start() {
    GAME_DIR=$1
    e2e_spawn GAME wine "$GAME_DIR/waxdrop.exe"
    WIN=$(e2e_wait_window WaxDrop 40) || return 1
    sleep 0.5
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$WIN")"
    WX=$X WY=$Y
    [ -n "${TOP:-}" ] && return
    e2e_shot "$E2E_DIR/start.png" "$WIN"
    TOP=$(convert "$E2E_DIR/start.png" -crop 1x100+0+0 -depth 8 txt:- |
          awk -F'[ ,:]+' '/#000000/ {print $2; exit}')
}

# client_point X Y: the screen position of a point of the client area.
client_point() { echo "$((WX + $1)) $((WY + TOP + $2))"; }

# shot NAME: the main window's picture, kept as $E2E_DIR/NAME.png.
shot() { e2e_shot "$E2E_DIR/$1.png" "$WIN"; }

# shot_over NAME WINDOW: the screen around the main window and WINDOW.
shot_over() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$2")"
    local x0=$((WX < X ? WX : X)) y0=$((WY < Y ? WY : Y))
    local x1=$((WX + 634 > X + WIDTH ? WX + 634 : X + WIDTH))
    local y1=$((WY + 455 > Y + HEIGHT ? WY + 455 : Y + HEIGHT))
    e2e_shot "$E2E_DIR/root.png"
    convert "$E2E_DIR/root.png" -crop "$((x1 - x0))x$((y1 - y0))+$x0+$y0" +repage "$E2E_DIR/$1.png"
}

# same_picture A B: "yes" when two shots of the window are pixel for pixel alike.
same_picture() {
    local n
    n=$(compare -metric AE "$E2E_DIR/$1.png" "$E2E_DIR/$2.png" null: 2>&1)
    [ "$n" = "0" ] && echo yes || echo no
}

# field NAME: what tests/e2e/field.py reads from shot NAME.
field() { python3 "$E2E_HERE/field.py" "$E2E_DIR/$1.png" "$E2E_BITMAPS"; }

# texts CAPTION: the texts of the controls of the window titled CAPTION.
texts() { wine "$E2E_BUILD/waxdrop-wintext.exe" "$1" 2>/dev/null | tr -d '\r'; }

# menu MENU_X ITEM_KEYS...: opens a menu of the bar by a click at MENU_X and
# picks an item with keys.
menu() {
    local x=$1; shift
    xdotool mousemove $((WX + x)) $((WY + TOP / 2)) click 1
    sleep 0.4
    xdotool key "$@"
}
menu_file() { menu 14 "$@"; }
menu_help() { menu 48 "$@"; }

focus() { xdotool windowfocus --sync "$1" 2>/dev/null; sleep 0.1; }

# game_close_alt_f4: Alt+F4 to the game until it ends (a busy Wine now and
# then gives the first key to the window that had the focus before); the
# exit code goes to $E2E_DIR/exit.code, "running" if it never ended.
game_close_alt_f4() {
    local i
    echo running >"$E2E_DIR/exit.code"
    for i in 1 2 3; do
        focus "$WIN"; xdotool key alt+F4
        e2e_wait_exit "$GAME" 4 >"$E2E_DIR/exit.code" && return 0
        echo running >"$E2E_DIR/exit.code"
    done
    return 1
}
