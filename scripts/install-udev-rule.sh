#!/usr/bin/env bash
# Installs the udev rule that lets the user at the seat open the hidraw node of a USB UPS
# (and no other device), so that libPSU.so's driver "hid" can reach it, together with
# brightlock-ups-check, the program the rule asks whether a device is a UPS. Run it after
# a build (scripts/build.sh). Safe to run again; uses sudo only when not root; quiet, and
# successful, where there is no udev (containers, CI).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
rule="$here/psu/udev/70-brightlock-ups.rules"
dest="/etc/udev/rules.d/70-brightlock-ups.rules"
check="${BRIGHTLOCK_BUILD:-$here/build}/dist/brightlock-ups-check"
# The program goes where the rule looks for it.
check_dest="$(sed -n 's/.*PROGRAM="\([^ "]*\).*/\1/p' "$rule")"

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

if [ ! -x "$check" ]; then
    echo "install-udev-rule.sh: $check is missing; build Brightlock first (scripts/build.sh)" >&2
    exit 1
fi
if [ -f "$dest" ] && cmp -s "$rule" "$dest" && [ -f "$check_dest" ] && cmp -s "$check" "$check_dest"; then
    exit 0
fi
as_root install -D -m 0755 "$check" "$check_dest"
as_root install -D -m 0644 "$rule" "$dest"
if command -v udevadm >/dev/null 2>&1; then
    # Fails where no udev daemon runs; the rule then applies from the next boot on.
    as_root udevadm control --reload-rules >/dev/null 2>&1 || true
    as_root udevadm trigger --subsystem-match=hidraw --action=change >/dev/null 2>&1 || true
fi
echo "Installed $dest and $check_dest: unplug the UPS and plug it in again if it is connected now."
