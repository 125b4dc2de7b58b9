#!/usr/bin/env bash
# Builds Brightlock and its Debian package, build/package/brightlock_<version>_<arch>.deb,
# checks the package with lintian (failing on errors and warnings) and lists its files.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
rm -rf build/package
(cd build && cpack -G DEB -B "$PWD/package" >/dev/null)
deb=$(ls build/package/brightlock_*.deb)
status=0
lintian --fail-on error,warning --info "$deb" >build/package/lintian.txt 2>&1 || status=$?
echo "lintian:"
grep -v 'running with root privileges' build/package/lintian.txt || echo "  no tags"
if [ $status -ne 0 ]; then
    echo "lintian found errors or warnings in $deb"
    exit 1
fi
echo "files:"
dpkg-deb -c "$deb"
echo "Built $deb; install it with:  sudo apt install ./$deb"
