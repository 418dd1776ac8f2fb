#!/bin/sh
# The Windows suites' one Wine prefix and its one server.
#
#   wine-prefix.sh up PREFIX     make PREFIX if it is not there yet and start a
#                                wineserver for it that stays between programs
#   wine-prefix.sh down PREFIX   stop that server, and whatever still runs in it
#
# A prefix made whole before the first program runs in it, and one server that
# does not quit as soon as its last client does, so that no program of a
# parallel run meets a server on its way out ("wine client error:0: recvmsg:
# Connection reset by peer").
set -u
action=${1:-}
[ $# -eq 2 ] || { echo "usage: wine-prefix.sh up|down PREFIX" >&2; exit 2; }
export WINEPREFIX="$(realpath -m "$2")" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Seconds the server waits, once its last program ended, before it goes: far
# longer than any gap between two programs of a run, yet a run that was
# interrupted before its "down" leaves no server behind for long.
linger=900

# The ids of the servers of this prefix: each works in a folder named after
# the prefix folder's device and inode.
servers() {
    [ -d "$WINEPREFIX" ] || return 0
    tag="server-$(stat -c %D "$WINEPREFIX")-$(printf %x "$(stat -c %i "$WINEPREFIX")")"
    for pid in $(pgrep wineserver); do
        case "$(readlink "/proc/$pid/cwd" 2>/dev/null)" in */"$tag") echo "$pid" ;; esac
    done
}

# True when a server of this prefix runs and was started to stay.
held() {
    for pid in $(servers); do
        tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q -- "-p$linger " && return 0
    done
    return 1
}

case $action in
up)
    mkdir -p "$(dirname "$WINEPREFIX")"
    # Two runs of one build folder at once make and start it only once.
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i </dev/null >/dev/null 2>&1 9>&- || { echo "wine-prefix: wineboot failed for $WINEPREFIX" >&2; exit 1; }
    fi
    held && exit 0
    # A server that would quit between programs (wineboot's own, or one a
    # program started by hand) is let go first.
    if [ -n "$(servers)" ]; then
        timeout 30 wineserver -w 9>&- || wineserver -k
    fi
    # Nothing of this script's is left open in the server: ctest waits for
    # the end of the output it reads, and the lock must go with the script.
    wineserver -p$linger </dev/null >/dev/null 2>&1 9>&- || { echo "wine-prefix: no server for $WINEPREFIX" >&2; exit 1; }
    # It settles in its folder a moment after it forks.
    for _ in $(seq 50); do
        held && break
        sleep 0.1
    done
    held || { echo "wine-prefix: the server for $WINEPREFIX did not stay" >&2; exit 1; }
    # The first program of a server starts Wine's own services, which stay
    # as long as the server does, holding whatever output they were given:
    # started here, they hold nothing a test program's reader waits on.
    wine cmd /c exit </dev/null >/dev/null 2>&1 9>&-
    ;;
down)
    [ -n "$(servers)" ] || exit 0
    wineserver -k
    timeout 30 wineserver -w
    [ -z "$(servers)" ] || { echo "wine-prefix: a server of $WINEPREFIX is still running" >&2; exit 1; }
    ;;
*)
    echo "usage: wine-prefix.sh up|down PREFIX" >&2
    exit 2
    ;;
esac
