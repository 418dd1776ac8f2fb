#!/bin/sh
# Runs a Windows test program under Wine, quietly, without any first-run dialog.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
