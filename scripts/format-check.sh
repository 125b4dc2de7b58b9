#!/usr/bin/env bash
# Checks that every C and C++ file of the repository is formatted as .clang-format says;
# lists the files that are not and fails. `scripts/format-check.sh --fix` formats them.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.c' '*.cpp.in')
if [ "${1:-}" = "--fix" ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
clang-format --dry-run --Werror "${files[@]}"
