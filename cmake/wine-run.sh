#!/bin/sh
# Runs a Windows test program under Wine, quietly, without any first-run dialog.
#   wine-run.sh [--prefix PREFIX] PROGRAM [ARGUMENTS...]
# The suites pass their build's own prefix, made and served by wine-prefix.sh.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ "${1:-}" = --prefix ]; then
    export WINEPREFIX="$(realpath -m "$2")"
    shift 2
fi
exec wine "$@"
