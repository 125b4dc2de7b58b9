#!/usr/bin/env bash
# Sets up and builds Brightlock, then starts the monitor for real (it goes to the system tray).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
exec build/dist/Brightlock "$@"
