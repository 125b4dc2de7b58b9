#!/usr/bin/env bash
# Times whole runs of the closer on a private Xvfb with openbox and the accessibility bus, and
# prints the time of each window from the closer's own log: an empty desktop, N windows that
# close at once (xmessage), and N editors holding unsaved text (mousepad), each saved through
# its prompt and file chooser. Goals: about 1 s for a window that closes at once, under 4 s for
# a saved document.
#   bench/close_run.sh [build dir] [N]
set -euo pipefail
build=${1:-build}
n=${2:-3}
dist=$(cd "$build/dist" && pwd)
# shellcheck source=bench/x_session.sh
source "$(dirname "$0")/x_session.sh"
start_xvfb
start_wm --sm-disable
# The editors keep their settings in the work folder.
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work GSETTINGS_BACKEND=memory
mkdir -p "$XDG_CONFIG_HOME"

# A private session bus with the accessibility bus on it, as a desktop session starts them.
dbus-daemon --session --nofork --print-address=1 >"$work/bus" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/bus" ] && break; sleep 0.1; done
DBUS_SESSION_BUS_ADDRESS=$(head -1 "$work/bus")
export DBUS_SESSION_BUS_ADDRESS
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
a11y=""
for _ in $(seq 50); do
    a11y=$(dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        2>/dev/null | sed -n 's/.*string "\(.*\)"/\1/p') && [ -n "$a11y" ] && break
    sleep 0.2
done
xprop -root -f AT_SPI_BUS 8s -set AT_SPI_BUS "$a11y"

# One closer run with a fresh application directory: its seconds and the files it saved, and
# in $work/windows the seconds of each window it took up ("title<TAB>seconds").
run_closer() {
    local home=$work/home$RANDOM start end
    mkdir -p "$home"
    start=$(date +%s%N)
    BRIGHTLOCK_HOME=$home QT_LOGGING_RULES="brightlock.closer.info=true" \
        QT_MESSAGE_PATTERN='%{time process} %{message}' "$dist/close" 2>"$work/log" || true
    end=$(date +%s%N)
    # A window's time runs from the pass that takes it up to the next pass or the end.
    awk '/takes up window/ { if (t != "") printf "%s\t%.2f\n", t, $1 - s; s = $1;
                             t = $0; sub(/.*takes up window [0-9]+ /, "", t) }
         /finished:/ { if (t != "") printf "%s\t%.2f\n", t, $1 - s }' "$work/log" >"$work/windows"
    awk -v ns=$((end - start)) -v saved="$(find "$home/Save" -type f | wc -l)" \
        'BEGIN { printf "%.2f %d\n", ns / 1e9, saved }'
}

per_window() {
    awk -F'\t' -v what="$1" '{ printf "  %-40s %6ss\n", $1, $2; sum += $2; k++ }
        END { if (k) printf "  %-40s %6.2fs\n", "mean per window (" what ")", sum / k }' "$work/windows"
}

windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l; }
wait_for() { for _ in $(seq 100); do [ "$(windows "$1")" -ge "$2" ] && return; sleep 0.2; done; }

read -r empty saved < <(run_closer)
printf "empty desktop: %.2f s in all, %d saved\n" "$empty" "$saved"

for i in $(seq "$n"); do xmessage -name "bench$i" "window $i" >/dev/null 2>&1 & pids+=($!); done
wait_for "bench" "$n"
read -r quick saved < <(run_closer)
printf "%d windows that close at once: %.2f s in all, %d saved (goal: about 1 s each)\n" "$n" "$quick" "$saved"
per_window "closes at once"

for i in $(seq "$n"); do
    mousepad --disable-server >/dev/null 2>&1 & pids+=($!)
    wait_for "Mousepad" "$i"
    window=$(xdotool search --onlyvisible --name "Mousepad" | tail -1)
    xdotool windowactivate --sync "$window"
    sleep 0.5
    xdotool type --delay 5 "unsaved text $i"
done
sleep 0.5
read -r saves saved < <(run_closer)
printf "%d editors with an unsaved document: %.2f s in all, %d saved (goal: under 4 s each)\n" "$n" "$saves" \
    "$saved"
per_window "saved document"
