# Sourced by the end-to-end scripts: a private X display and sound server for
# one run, and the helpers every flow uses. Everything started here is stopped
# by its process id in e2e_session_stop, never by name, so several runs (or a
# player's own desktop) can share the machine.

E2E_PIDS=()

# e2e_session_start NAME: scratch folder $E2E_DIR, Xvfb on a free display
# (exported as DISPLAY), a PulseAudio server of our own with a null sink as
# its default output (PULSE_SERVER exported).
e2e_session_start() {
    local name=$1
    E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/waxdrop-e2e-$name.XXXXXX")
    export E2E_DIR
    local n
    for n in $(seq 140 199); do
        [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$E2E_DIR/xvfb.log" 2>&1 &
        E2E_PIDS+=($!)
        local i
        for i in $(seq 50); do
            [ -e /tmp/.X11-unix/X$n ] && break
            sleep 0.1
        done
        if [ -e /tmp/.X11-unix/X$n ] && kill -0 "${E2E_PIDS[-1]}" 2>/dev/null; then
            export DISPLAY=":$n"
            break
        fi
    done
    [ -n "${DISPLAY:-}" ] || { echo "e2e: no free X display" >&2; return 1; }
    e2e_pulse_start
}

e2e_pulse_start() {
    mkdir -p "$E2E_DIR/pulse"
    export PULSE_RUNTIME_PATH="$E2E_DIR/pulse" PULSE_STATE_PATH="$E2E_DIR/pulse"
    export PULSE_SERVER="unix:$E2E_DIR/pulse/native"
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
        -L "module-native-protocol-unix socket=$E2E_DIR/pulse/native auth-anonymous=1" \
        -L "module-null-sink sink_name=waxdrop_sink" \
        -L "module-always-sink" >"$E2E_DIR/pulse.log" 2>&1 &
    E2E_PIDS+=($!)
    E2E_PULSE_PID=$!
    local i
    for i in $(seq 50); do
        pactl info >/dev/null 2>&1 && break
        sleep 0.1
    done
    pactl set-default-sink waxdrop_sink >/dev/null 2>&1
}

# e2e_spawn VAR COMMAND...: start COMMAND in the background, its id in VAR;
# stopped with the session unless waited for before. A small shell of ours
# is its parent and writes its exit status down, so e2e_wait_exit can report
# it even from inside a command substitution (where `wait` cannot).
e2e_spawn() {
    local var=$1; shift
    local pidfile
    pidfile=$(mktemp "$E2E_DIR/spawn.XXXXXX")
    ( "$@" >>"$E2E_DIR/spawn.log" 2>&1 &
      echo $! >"$pidfile"
      wait $!
      echo $? >"$E2E_DIR/status.$(cat "$pidfile")" ) &
    E2E_PIDS+=($!)
    local i
    for i in $(seq 50); do
        [ -s "$pidfile" ] && break
        sleep 0.02
    done
    E2E_PIDS+=("$(cat "$pidfile")")
    printf -v "$var" '%s' "$(cat "$pidfile")"
}

# e2e_wait_window NAME [SECONDS]: prints the id of the first visible window
# whose title is NAME; fails after SECONDS (default 20).
e2e_wait_window() {
    local name=$1 limit=${2:-20} id i
    for i in $(seq $((limit * 10))); do
        id=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# e2e_wait_gone ID [SECONDS]: waits until window ID no longer exists.
e2e_wait_gone() {
    local id=$1 limit=${2:-10} i
    for i in $(seq $((limit * 10))); do
        xdotool getwindowname "$id" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

# e2e_wait_exit PID [SECONDS]: waits for PID (started by e2e_spawn) to end
# and prints its exit status; fails (printing nothing) if it is still running
# after SECONDS.
e2e_wait_exit() {
    local pid=$1 limit=${2:-5} i
    for i in $(seq $((limit * 10))); do
        if [ -s "$E2E_DIR/status.$pid" ]; then
            cat "$E2E_DIR/status.$pid"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# e2e_shot FILE [WINDOW]: a PNG of the whole screen, or of one window.
e2e_shot() {
    import -silent -window "${2:-root}" "$1" 2>/dev/null
}

# e2e_record_start FILE / e2e_record_stop: what the null sink plays, as raw
# 16-bit little-endian mono at 11025 Hz.
e2e_record_start() {
    parec -d waxdrop_sink.monitor --format=s16le --rate=11025 --channels=1 --raw >"$1" 2>/dev/null &
    E2E_PIDS+=($!)
    E2E_REC_PID=$!
}
e2e_record_stop() {
    [ -n "${E2E_REC_PID:-}" ] && kill "$E2E_REC_PID" 2>/dev/null && wait "$E2E_REC_PID" 2>/dev/null
    E2E_REC_PID=
}

# e2e_peak FILE: the largest absolute sample of a recording.
e2e_peak() {
    od -An -v -t d2 -w2 "$1" | awk 'BEGIN{m=0} {v=$1<0?-$1:$1; if(v>m)m=v} END{print m}'
}

# e2e_session_stop: stops everything this session started, by id.
e2e_session_stop() {
    local pid
    for pid in "${E2E_PIDS[@]}"; do
        kill "$pid" 2>/dev/null
    done
    for pid in "${E2E_PIDS[@]}"; do
        wait "$pid" 2>/dev/null
    done
    E2E_PIDS=()
}

# The one tally every end-to-end script keeps.
# e2e_result NAME STATUS [DETAIL]: a PASS line when STATUS is 0, else FAIL;
# DETAIL (what was seen) goes in brackets after the name.
E2E_PASSED=0
E2E_FAILED=0
e2e_result() {
    local word=PASS
    if [ "$2" -eq 0 ] 2>/dev/null; then E2E_PASSED=$((E2E_PASSED + 1)); else word=FAIL; E2E_FAILED=$((E2E_FAILED + 1)); fi
    echo "$word $1${3:+ ($3)}"
}
# e2e_summary: the closing "N passed, N failed" line; fails when any failed.
e2e_summary() {
    echo "$E2E_PASSED passed, $E2E_FAILED failed"
    [ "$E2E_FAILED" -eq 0 ]
}
