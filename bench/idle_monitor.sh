#!/usr/bin/env bash
# The idle cost of the monitor hidden in the tray on mains, beside a minimal Qt Widgets tray
# program (bench/minimal_tray) in the same session: a virtual X server with openbox and a
# system tray, a session bus of its own. The monitor runs three times, each with an
# application folder of its own: on the simulated on-line UPS; with the network driver
# against a real upsd serving a dummy UPS (nut-server's dummy-ups) on a free loopback port;
# and with the USB driver on a recorded CyberPower UPS replayed with 4 ms per control
# transfer, as a real one takes. Prints, per program, the CPU used, the wakeups per second
# (context switches of all its threads) and the resident memory over the run.
#   bench/idle_monitor.sh [build dir] [seconds]
# IDLE_ALSO="command ..." measures a further tray program in the same run; BENCH_DISPLAY=N
# runs the X server on display N.
set -euo pipefail
build=${1:-build}
seconds=${2:-60}
dist=$(cd "$build/dist" && pwd)
minimal=$(cd "$build/bench" && pwd)/minimal_tray
# shellcheck source=bench/x_session.sh
source "$(dirname "$0")/x_session.sh"
start_xvfb
export BRIGHTLOCK_HOME=$work PSU_DRIVER=sim XDG_RUNTIME_DIR=$work
read -r bus buspid < <(dbus-daemon --session --fork --print-address=1 --print-pid=1 | paste -sd' ')
pids+=("$buspid")
export DBUS_SESSION_BUS_ADDRESS=$bus
start_wm
trayer --edge top --align right --widthtype pixel --width 120 --height 24 >/dev/null 2>&1 &
pids+=($!)
sleep 1

"$dist/upssim" online >/dev/null
names=("Brightlock sim" "Brightlock nut" "Brightlock hid" minimal_tray)
"$dist/Brightlock" --dry-run >/dev/null 2>&1 &
measured=($!)
# shellcheck source=bench/nut_server.sh
source "$(dirname "$0")/nut_server.sh"
start_nut_server "$work/nut"
mkdir -p "$work/nut-home"
BRIGHTLOCK_HOME=$work/nut-home PSU_DRIVER=nut PSU_NUT_UPS=dummy@127.0.0.1:$nut_port \
    "$dist/Brightlock" --dry-run >/dev/null 2>&1 &
measured+=($!)
# The CyberPower on mains, fully charged: status 0x0b, charge and runtime 0x08, load 0x13,
# mains voltage 0x0f, the two idle switch-off delays.
hid=$work/hid
mkdir -p "$hid" "$work/hid-home"
cp "$(dirname "$0")/../tests/fixtures/hid/cyberpower-ec850lcd-0764-0501.bin" "$hid/report_descriptor"
printf 'vendor=0764\nproduct=0501\ncontrol_ms=4\n' >"$hid/device"
printf '\x0b\x03' >"$hid/feature-0b"
printf '\x08\x64\x08\x07' >"$hid/feature-08"
printf '\x13\x25' >"$hid/feature-13"
printf '\x0f\xe7\x00' >"$hid/feature-0f"
printf '\x15\xff\xff' >"$hid/feature-15"
printf '\x16\xff\xff' >"$hid/feature-16"
BRIGHTLOCK_HOME=$work/hid-home PSU_DRIVER=hid PSU_HID_REPLAY=$hid "$dist/Brightlock" --dry-run >/dev/null 2>&1 &
measured+=($!)
"$minimal" >/dev/null 2>&1 &
measured+=($!)
if [ -n "${IDLE_ALSO:-}" ]; then
    $IDLE_ALSO >/dev/null 2>&1 &
    measured+=($!)
    names+=("$(basename "${IDLE_ALSO%% *}")")
fi
pids+=("${measured[@]}")
sleep 8 # start-up: the splash, the load, the first polls

# CPU ticks of the process and context switches of all its threads.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
switches() { cat /proc/"$1"/task/*/status | awk '/ctxt_switches/ {n += $2} END {print n}'; }
declare -A t0 s0
for pid in "${measured[@]}"; do t0[$pid]=$(ticks "$pid"); s0[$pid]=$(switches "$pid"); done
sleep "$seconds"
hz=$(getconf CLK_TCK)
printf '%-16s %8s %12s %10s %10s\n' program "CPU %" "wakeups/s" "RSS MB" "peak MB"
for i in "${!measured[@]}"; do
    pid=${measured[$i]}
    cpu=$(awk -v t=$(($(ticks "$pid") - t0[$pid])) -v hz="$hz" -v s="$seconds" 'BEGIN {printf "%.2f", 100 * t / hz / s}')
    wake=$(awk -v n=$(($(switches "$pid") - s0[$pid])) -v s="$seconds" 'BEGIN {printf "%.2f", n / s}')
    rss=$(awk '/VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$pid/status")
    peak=$(awk '/VmHWM/ {printf "%.1f", $2 / 1024}' "/proc/$pid/status")
    printf '%-16s %8s %12s %10s %10s\n' "${names[$i]}" "$cpu" "$wake" "$rss" "$peak"
done
