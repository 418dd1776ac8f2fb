#!/usr/bin/env bash
# The Debian package of the Linux build: made with cpack, its contents and
# fields checked against a table, then the game started from a dpkg -x
# unpacking under Xvfb (its first frame, then Exit). Prints PASS/FAIL lines
# and ends with "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/../.."
build=build/linux
. tests/e2e/tally.sh
check() { e2e_result "$1" "$2"; }

work=$(mktemp -d "${TMPDIR:-/tmp}/waxdrop-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G "DEB;TGZ" -B "$work/out") >"$work/cpack.log" 2>&1
check cpack_builds $?
deb="$work/out/waxdrop_1.0_amd64.deb"
[ -f "$deb" ]; check deb_named_waxdrop_version_arch $?
ls "$work"/out/waxdrop-1.0-*.tar.gz >/dev/null 2>&1; check tgz_made $?
# One path a line ("./usr/games/waxdrop -> ../lib/waxdrop/waxdrop" for the link).
listing=$(dpkg -c "$deb" 2>/dev/null | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }')

# What must be there: the game, its link, its media and pictures, and the
# desktop's files.
table="usr/lib/waxdrop/waxdrop exe
usr/games/waxdrop link
usr/share/applications/waxdrop.desktop file
usr/share/icons/hicolor/32x32/apps/waxdrop.png file
usr/share/man/man6/waxdrop.6.gz file"
for f in media/{song.mid,doing.wav,hit.wav,brick.wav,buzz.wav} resources/icons/waxdrop.ico \
         resources/bitmaps/{paddle,comb,bee_a,bee_b,bullet,ball}.bmp; do
    table+=$'\n'"usr/lib/waxdrop/$f file"
done
while read -r path kind; do
    case $kind in
        exe)  grep -qE "^\./$path\$" <<<"$listing" && dpkg -c "$deb" | grep -E " \./$path\$" | grep -q '^-rwx' ;;
        link) grep -qE "^\./$path -> \.\./lib/waxdrop/waxdrop\$" <<<"$listing" ;;
        file) grep -qE "^\./$path\$" <<<"$listing" ;;
    esac
    check "contains_$path" $?
done <<<"$table"
# No score file, no tests, no tools: only the game.
[ "$(grep -c -E '\.bin$|tests/|waxdrop-' <<<"$listing")" -eq 0 ]; check nothing_else_shipped $?

# field                 pattern
while read -r field pattern; do
    [ -z "$field" ] && continue
    dpkg-deb -f "$deb" "$field" | grep -qE "$pattern"
    check "field_${field}" $?
done <<'TABLE'
Package        ^waxdrop$
Version        ^1\.0$
Architecture   ^amd64$
Depends        libsdl2-2\.0-0.*|libfluidsynth
Recommends     timgm6mb-soundfont
Section        ^games$
TABLE
dpkg-deb -f "$deb" Depends | grep -q libsdl2 && dpkg-deb -f "$deb" Depends | grep -q libfluidsynth
check depends_from_shlibdeps $?

# The unpacked game runs from its link, finds its media beside its real path
# and draws its first frame; Exit ends it with status 0.
dpkg -x "$deb" "$work/root"
check unpacks $?
sub=$(python3 tests/e2e/flows.py linux "$work/root" --only '^(first_frame|exit_by_menu)$' 2>&1)
while read -r verdict name rest; do
    case $verdict in
        PASS) check "unpacked_$name" 0; echo "     $rest" ;;
        FAIL) check "unpacked_$name" 1; echo "     $rest" ;;
    esac
done <<<"$sub"
grep -q '^PASS first_frame' <<<"$sub"; check unpacked_game_started $?

e2e_summary
