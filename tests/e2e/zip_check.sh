#!/usr/bin/env bash
# The Windows package as a player gets it: unzipped into an empty folder, it
# holds the game, its media and a readme, the game imports only DLLs every
# Windows has, and it starts from there under Wine with its first frame.
#
#   tests/e2e/zip_check.sh ZIP BUILD
#
# ZIP is build/windows/waxdrop-<version>-win64.zip, BUILD the Windows build
# folder (for the text probe). Prints PASS/FAIL per case and ends with
# "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/../.."
zip=$(realpath "$1")
build=${2:-build/windows}
here=tests/e2e
. $here/session.sh
. $here/wine_game.sh

check() {
    if [ "$3" = "$2" ]; then e2e_result "$1" 0; else e2e_result "$1" 1 "expected '$2', got '$3'"; fi
}
finish() {
    wine_session_stop
    rm -rf "${E2E_DIR:-/nonexistent}"
}
trap finish EXIT
wine_session_start package "$build" || { e2e_result session 1; e2e_summary; exit 1; }

unpacked=$E2E_DIR/unpacked
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip")
top=$(find "$unpacked" -name waxdrop.exe -printf '%h\n' | head -n 1)

# name | what is looked at | what it must be
listing=$(cd "${top:-$unpacked}" && find . -type f | sort | tr '\n' ' ')
imports=$(x86_64-w64-mingw32-objdump -p "${top:-$unpacked}/waxdrop.exe" 2>/dev/null |
          awk '/DLL Name/ {print toupper($3)}' | sort | tr '\n' ' ')
check contents "./README.txt ./media/brick.wav ./media/buzz.wav ./media/doing.wav ./media/hit.wav ./media/song.mid ./waxdrop.exe " "$listing"
check system_dlls_only "GDI32.DLL KERNEL32.DLL MSVCRT.DLL USER32.DLL WINMM.DLL " "$imports"
same_media=same
for f in song.mid doing.wav hit.wav brick.wav buzz.wav; do
    cmp -s "media/$f" "${top:-$unpacked}/media/$f" || same_media="differs in $f"
done
check media_as_shipped same "$same_media"

if [ -n "$top" ] && game_start "$top"; then
    check starts yes yes
    shot first-frame
    check first_frame "client 634 436|combs 80|bees 5|ball 347 200|paddle 320 400|stray 0" \
        "$(field first-frame | grep -v magenta | tr '\n' '|' | sed 's/|$//')"
    game_close_alt_f4
    check alt_f4_exit_code 0 "$(cat "$E2E_DIR/exit.code")"
else
    check starts yes no
fi

e2e_summary
