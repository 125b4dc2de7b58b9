#!/usr/bin/env bash
# Runs the hidden monitor for a while against the simulated on-line UPS, on a virtual X
# server with a system tray, and prints its CPU use and peak memory.
#   bench/idle_monitor.sh [build dir] [seconds]
set -euo pipefail
build=${1:-build}
seconds=${2:-60}
dist=$(cd "$build/dist" && pwd)
work=$(mktemp -d)
trap 'kill $monitor $tray $xserver 2>/dev/null || true; rm -rf "$work"' EXIT

display=:$((100 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 & xserver=$!
sleep 1
DISPLAY=$display trayer --edge top --align right --widthtype pixel --width 120 --height 24 >/dev/null 2>&1 & tray=$!
sleep 1

export BRIGHTLOCK_HOME=$work PSU_DRIVER=sim XDG_RUNTIME_DIR=$work DISPLAY=$display
"$dist/upssim" online >/dev/null
"$dist/Brightlock" >/dev/null 2>&1 & monitor=$!
sleep 5  # start-up: splash, load, first polls

ticks() { awk '{print $14 + $15}' "/proc/$monitor/stat"; }
hz=$(getconf CLK_TCK)
start=$(ticks)
sleep "$seconds"
end=$(ticks)

cpu=$(awk -v t=$((end - start)) -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.2f", 100 * t / hz / s }')
peak=$(awk '/VmHWM/ {printf "%.1f", $2 / 1024}' "/proc/$monitor/status")
rss=$(awk '/VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$monitor/status")
echo "hidden monitor, on-line, ${seconds} s: CPU ${cpu} % of one core; peak memory ${peak} MB (now ${rss} MB)"
