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
. $here/tally.sh

check() {
    if [ "$3" = "$2" ]; then e2e_result "$1" 0; else e2e_result "$1" 1 "expected '$2', got '$3'"; fi
}
unpacked=$(mktemp -d "${TMPDIR:-/tmp}/waxdrop-zip.XXXXXX")
trap 'rm -rf "$unpacked"' EXIT
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

# The unpacked game starts from there, draws its first frame and ends by Alt+F4.
sub=$(python3 $here/flows.py windows "${top:-$unpacked}" --only '^(first_frame|exit_by_alt_f4)$' 2>&1)
grep -q '^PASS first_frame' <<<"$sub"; check first_frame 0 $?
grep -q '^PASS exit_by_alt_f4' <<<"$sub"; check alt_f4_exit_code 0 $?

e2e_summary
