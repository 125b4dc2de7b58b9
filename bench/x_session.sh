# shellcheck shell=bash
# A private X session for the benchmark scripts, which source this file: a work folder and
# the processes started, both cleaned up when the script ends, a virtual X server and a
# window manager.
#   source "$(dirname "$0")/x_session.sh"; start_xvfb; start_wm [openbox arguments]

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# Starts Xvfb on a free display (or on display BENCH_DISPLAY when set), waits until it
# accepts clients (it then writes the display number to descriptor 3) and exports DISPLAY.
start_xvfb() {
    if [ -n "${BENCH_DISPLAY:-}" ]; then
        Xvfb ":$BENCH_DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        pids+=($!)
        for _ in $(seq 50); do [ -S "/tmp/.X11-unix/X$BENCH_DISPLAY" ] && break; sleep 0.1; done
        export DISPLAY=:$BENCH_DISPLAY
        return
    fi
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    DISPLAY=:$(head -1 "$work/display")
    export DISPLAY
}

# Starts openbox with the given arguments.
start_wm() {
    openbox "$@" >/dev/null 2>&1 &
    pids+=($!)
}
