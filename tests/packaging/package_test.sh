#!/usr/bin/env bash
# The Debian package, checked from the outside: built by CPack from the same install rules
# (the same files as `cmake --install` with prefix /usr), with the dependencies the programs
# need and the autostart entry as a configuration file; installed into a throwaway root with
# its maintainer scripts, then removed and purged, which must leave nothing behind.
# Usage: package_test.sh <build folder>
set -euo pipefail
build=$(realpath "$1")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

(cd "$build" && cpack -G DEB -B "$tmp/out" >"$tmp/cpack.log" 2>&1) || {
    cat "$tmp/cpack.log"
    exit 1
}
deb=$(ls "$tmp"/out/brightlock_*.deb)
echo "built $(basename "$deb")"

# Its files are exactly those of the installation rules for prefix /usr.
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's:^\./:/:; s:/$::' | grep -v '^$' | sort >"$tmp/package-files"
DESTDIR=$tmp/staged cmake --install "$build" --prefix /usr >/dev/null
(cd "$tmp/staged" && find . -mindepth 1 | sed 's:^\./:/:') | sort >"$tmp/install-files"
diff "$tmp/install-files" "$tmp/package-files" >"$tmp/diff" || fail "package and installation differ: $(cat "$tmp/diff")"
allowed='^(/usr(/.*)?|/etc|/etc/xdg|/etc/xdg/autostart(/.*)?)$'
grep -vqE "$allowed" "$tmp/package-files" &&
    fail "files outside /usr and /etc/xdg/autostart: $(grep -vE "$allowed" "$tmp/package-files")"

# Dependencies: what the programs link (from dpkg-shlibdeps), Qt's SQLite driver that they
# load as a plugin, and the client library of Network UPS Tools as a recommendation.
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6sql6-sqlite libqt6widgets6 libqt6sql6 libqt6dbus6 libqt6charts6 libsqlite3-0 libc6; do
    grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
grep -q libupsclient6 <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "Recommends lacks libupsclient6"
dpkg-deb -e "$deb" "$tmp/control"
[ "$(cat "$tmp/control/conffiles")" = /etc/xdg/autostart/brightlock.desktop ] || fail "conffiles: $(cat "$tmp/control/conffiles")"
for script in postinst postrm; do
    sh -n "$tmp/control/$script" || fail "$script does not parse"
done

# Installed into a throwaway root (its maintainer scripts run here, outside a chroot, with
# DPKG_ROOT set, and must touch nothing of this machine), then removed and purged.
root=$tmp/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg_root() { dpkg --root="$root" --force-script-chrootless --force-not-root --log=/dev/null "$@"; }
dpkg_root --force-depends -i "$deb" >"$tmp/dpkg.log" 2>&1 || fail "dpkg -i: $(cat "$tmp/dpkg.log")"
[ "$(dpkg-query --root="$root" -W -f='${Status}' brightlock)" = "install ok installed" ] || fail "not installed"
for file in /usr/bin/brightlock /usr/lib/brightlock/libPSU.so /usr/lib/udev/rules.d/70-brightlock-ups.rules \
    /etc/xdg/autostart/brightlock.desktop; do
    [ -e "$root$file" ] || fail "not in the installed root: $file"
done
[ -f "$root/usr/lib/brightlock/Brightlock.html" ] || fail "the guide is not reachable beside the programs"
outside() { (cd "$root" && find . -mindepth 1 -not -path './var/lib/dpkg*' -not -path ./var -not -path ./var/lib | sort); }
dpkg_root -r brightlock >"$tmp/dpkg.log" 2>&1 || fail "dpkg -r: $(cat "$tmp/dpkg.log")"
left=$(outside)
[ "$left" = "$(printf '%s\n' ./etc ./etc/xdg ./etc/xdg/autostart ./etc/xdg/autostart/brightlock.desktop)" ] ||
    fail "remove left more than the configuration file: $left"
dpkg_root -P brightlock >"$tmp/dpkg.log" 2>&1 || fail "dpkg -P: $(cat "$tmp/dpkg.log")"
left=$(outside)
[ -z "$left" ] || fail "purge left files: $left"

if [ $failures -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "package checked: $(dpkg-deb -c "$deb" | grep -vc '/$') files"
