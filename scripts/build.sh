#!/usr/bin/env bash
# Installs what is missing, then configures and builds Brightlock into build/ (programs in build/dist).
# Extra CMake options can come in BRIGHTLOCK_CMAKE_ARGS (CI sets -DBRIGHTLOCK_WERROR=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${BRIGHTLOCK_CMAKE_ARGS:-} "$@"
cmake --build build
