#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Brightlock need.
# Safe to run again: apt-get only installs what is missing.
set -euo pipefail

packages=(
    # build
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-serialport-dev
    qt6-charts-dev libqt6opengl6-dev # the History chart; Debian 12's qt6-charts-dev lacks its OpenGL dependency
    libgl-dev libx11-dev libxtst-dev libsqlite3-dev
    libatspi2.0-dev at-spi2-core # the closer reads other programs' dialogs on the accessibility bus
    # tests and benchmarks
    libbenchmark-dev xvfb xauth openbox x11-utils xdotool sqlite3 dbus clang-format
    imagemagick trayer fonts-dejavu-core # screenshots of the windows and the tray
    dunst # a notification service to look at the desktop notifications under Xvfb
    # real editors (GTK 3, Qt, GTK 4, KDE) holding unsaved text for the closer's desktop test
    mousepad featherpad gnome-text-editor kwrite
    # libPSU.so's nut driver, and the real server its tests start
    libupsclient-dev nut-server
    # the fuzzers (scripts/fuzz.sh): clang with the libFuzzer runtime
    clang libclang-rt-14-dev
    # the Debian package and the checks of the installed files
    dpkg-dev lintian desktop-file-utils appstream man-db
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    as_root apt-get update
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
