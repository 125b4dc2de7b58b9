#!/usr/bin/env bash
# Sets up and builds Brightlock, then runs every test. The tests run inside a virtual X
# server so that those which need a desktop find one; the others use Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build --output-on-failure --timeout 300
