#!/usr/bin/env bash
# Sets up and builds Brightlock, then starts the monitor for real (it goes to the system tray).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
scripts/install-udev-rule.sh  # lets you open a USB UPS without being root
exec build/dist/Brightlock "$@"
