#!/usr/bin/env bash
# Times whole runs of the closer on a private Xvfb with openbox and prints them beside what
# the pass timings predict: an empty desktop, N windows that close at once (xmessage), and
# N editors holding unsaved text (mousepad) that go through the save prompt and dialog.
#   bench/close_run.sh [build dir] [N]
set -euo pipefail
build=${1:-build}
n=${2:-3}
dist=$(cd "$build/dist" && pwd)
# shellcheck source=bench/x_session.sh
source "$(dirname "$0")/x_session.sh"
start_xvfb
start_wm --sm-disable
sleep 1
# The editors keep their settings in the work folder and need no session bus.
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1

# Seconds of one closer run with a fresh application directory, and the files it saved.
run_closer() {
    local home=$work/home$RANDOM start end
    mkdir -p "$home"
    start=$(date +%s%N)
    BRIGHTLOCK_HOME=$home "$dist/close" 2>/dev/null
    end=$(date +%s%N)
    awk -v ns=$((end - start)) -v saved="$(find "$home/Save" -type f | wc -l)" \
        'BEGIN { printf "%.2f %d\n", ns / 1e9, saved }'
}

windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l; }
wait_for() { for _ in $(seq 100); do [ "$(windows "$1")" -ge "$2" ] && return; sleep 0.2; done; }

printf "%-34s %9s %9s %6s\n" "run" "measured" "expected" "saved"
# Load 0.4 s, then one tick (2 s) per window and a last tick that finds nothing left.
read -r empty saved < <(run_closer)
printf "%-34s %8ss %8ss %6s\n" "empty desktop" "$empty" "2.40" "$saved"

for i in $(seq "$n"); do xmessage -name "bench$i" "window $i" >/dev/null 2>&1 & pids+=($!); done
wait_for "xmessage" "$n"
read -r quick saved < <(run_closer)
# Each: tick 2 s + 0.5 s to the front + 0.2 s probe.
printf "%-34s %8ss %8ss %6s\n" "$n windows that close at once" "$quick" \
    "$(awk -v n="$n" 'BEGIN { printf "%.2f", 2.4 + n * 2.7 }')" "$saved"

for i in $(seq "$n"); do
    mousepad >/dev/null 2>&1 & pids+=($!)
    wait_for "Mousepad" "$i"
    window=$(xdotool search --onlyvisible --name "Mousepad" | tail -1)
    xdotool windowactivate --sync "$window"
    sleep 0.5
    xdotool type --delay 5 "unsaved text $i"
done
sleep 0.5
read -r saves saved < <(run_closer)
# Each: tick 2 s + 0.5 + 0.2 + 2.0 (prompt) + 0.2 + 2.0 (dialog) + typing + 2.3 + 1.0.
printf "%-34s %8ss %8ss %6s\n" "$n editors through the save dialog" "$saves" \
    "$(awk -v n="$n" 'BEGIN { printf "%.2f", 2.4 + n * 10.2 }')" "$saved"
awk -v q="$quick" -v s="$saves" -v e="$empty" -v n="$n" \
    'BEGIN { printf "per window: %.2f s closing at once, %.2f s through the save dialog\n", (q - e) / n, (s - e) / n }'
