#!/usr/bin/env bash
# The installation into a temporary prefix, checked from the outside: every file in its
# place, the launchers, desktop entries, metainfo and manual pages valid and consistent with
# the programs, and the installed programs working together: the installed upssim sets the
# simulated UPS, the installed monitor (in dry-run mode) reads it through the installed
# libPSU.so and records it, all in the user's data folder and nowhere in the prefix.
# Usage: install_test.sh <build folder> <version>
set -euo pipefail
build=$1
version=$2
tmp=$(mktemp -d)
monitor=
cleanup() {
    if [ -n "$monitor" ]; then kill "$monitor" 2>/dev/null || true; fi
    rm -rf "$tmp"
}
trap cleanup EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" --strip >/dev/null
programs=$prefix/lib/brightlock

# Every file of the installation, by what it is for.
expected=(
    bin/brightlock bin/upssim bin/upsprobe
    lib/brightlock/Brightlock lib/brightlock/close lib/brightlock/libPSU.so
    lib/brightlock/upssim lib/brightlock/upsprobe lib/brightlock/brightlock-ups-check
    lib/brightlock/Brightlock.html "lib/brightlock/Wrenfield II.html"
    lib/udev/rules.d/70-brightlock-ups.rules
    share/applications/brightlock.desktop etc/xdg/autostart/brightlock.desktop
    share/metainfo/org.brightlock.brightlock.metainfo.xml
    share/man/man1/brightlock.1.gz share/man/man1/brightlock-close.1.gz
    share/man/man1/upssim.1.gz share/man/man1/upsprobe.1.gz
    share/doc/brightlock/copyright share/doc/brightlock/changelog.gz
)
for file in "${expected[@]}"; do
    [ -f "$prefix/$file" ] || fail "not installed: $file"
done
# The udev rule asks the check of this installation, which says "no" for a folder that
# is no hidraw device.
check=$(sed -n 's/.*PROGRAM="\([^ "]*\).*/\1/p' "$prefix/lib/udev/rules.d/70-brightlock-ups.rules")
[ "$check" = "$programs/brightlock-ups-check" ] || fail "the udev rule runs $check"
"$check" "$tmp" >/dev/null 2>&1 && fail "the udev check takes a plain folder for a UPS"
for size in 16 22 24 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/brightlock.png
    [ "$(identify -format %wx%h "$icon" 2>/dev/null)" = "${size}x${size}" ] || fail "icon of $size px: $icon"
done
# Every picture of the guide is reachable from the program folder, where the guide opens.
for picture in "$prefix"/share/brightlock/help/help-pictures/*.png; do
    [ -e "$picture" ] || continue
    [ -f "$programs/help-pictures/$(basename "$picture")" ] || fail "help picture not beside the programs: $picture"
    grep -q "help-pictures/$(basename "$picture")" "$programs/Brightlock.html" "$programs/Wrenfield II.html" ||
        fail "help picture used nowhere: $picture"
done
# The links between the two help files and their sections lead somewhere.
for page in Brightlock.html "Wrenfield II.html"; do
    grep -o 'href="[^"]*"' "$programs/$page" | sed 's/^href="//; s/"$//' | while read -r link; do
        case $link in
        http*) continue ;;
        \#*) file=$page anchor=${link#\#} ;;
        *\#*) file=${link%%#*} anchor=${link#*#} ;;
        *) file=$link anchor= ;;
        esac
        file=${file//%20/ }
        [ -f "$programs/$file" ] || { echo "FAIL: $page links to a missing file: $link"; continue; }
        [ -z "$anchor" ] || grep -q "id=\"$anchor\"" "$programs/$file" ||
            echo "FAIL: $page links to a missing section: $link"
    done
done | tee "$tmp/links"
[ -s "$tmp/links" ] && failures=$((failures + 1))

# Launchers, menu entry, autostart and metainfo: valid, and pointing at what is installed.
desktop-file-validate "$prefix/share/applications/brightlock.desktop" "$prefix/etc/xdg/autostart/brightlock.desktop" ||
    fail "desktop entries"
for entry in "$prefix/share/applications/brightlock.desktop" "$prefix/etc/xdg/autostart/brightlock.desktop"; do
    exec_command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
    [ -x "$prefix/bin/$exec_command" ] || fail "$entry starts $exec_command, which is not installed"
    icon=$(sed -n 's/^Icon=//p' "$entry")
    [ -f "$prefix/share/icons/hicolor/48x48/apps/$icon.png" ] || fail "$entry shows icon $icon, which is not installed"
done
appstreamcli validate --no-net "$prefix/share/metainfo/org.brightlock.brightlock.metainfo.xml" >"$tmp/appstream" 2>&1 ||
    fail "metainfo: $(cat "$tmp/appstream")"
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' \
    "$prefix/share/metainfo/org.brightlock.brightlock.metainfo.xml")
[ -f "$prefix/share/applications/$launchable" ] || fail "metainfo launches $launchable, which is not installed"

# The manual pages render without a warning and name every option the programs list.
for page in brightlock brightlock-close upssim upsprobe; do
    file=$prefix/share/man/man1/$page.1.gz
    LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$file" >/dev/null 2>"$tmp/man" ||
        fail "man $page"
    [ -s "$tmp/man" ] && fail "man $page: $(cat "$tmp/man")"
done
help_options() {
    # Options ("-h", "--dry-run") and, for upssim, the command words of the help's lists.
    "$@" --help | grep -oE '(^|[][ ,|])--?[a-z][a-z-]*' | sed 's/^[][ ,|]*//'
    "$@" --help | sed -n '/^Commands:/,/^$/p' | awk '/^  [a-z]/ { print $1 }'
}
for pair in Brightlock:brightlock close:brightlock-close upssim:upssim upsprobe:upsprobe; do
    program=${pair%%:*} page=${pair#*:}
    source_text=$(zcat "$prefix/share/man/man1/$page.1.gz" | sed 's/\\-/-/g')
    for option in $(help_options "$programs/$program" | sort -u); do
        grep -qe "$option" <<<"$source_text" || fail "man $page lacks $option of $program --help"
    done
done

# The programs report the project's version.
for command in "$prefix/bin/brightlock" "$prefix/bin/upssim" "$prefix/bin/upsprobe" "$programs/close"; do
    "$command" --version | grep -q " $version\$" || fail "$command --version: $("$command" --version)"
done

# The installed programs together, for a user whose data folder is empty. The launchers
# keep the settings there even for root, for whom the program folder is writable.
home=$tmp/home
mkdir -p "$home"
data=$home/.local/share/brightlock
before=$(find "$prefix" | sort)
export HOME=$home PSU_DRIVER=sim QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$tmp/runtime
mkdir -m 700 "$tmp/runtime"
unset BRIGHTLOCK_HOME XDG_DATA_HOME PSU_SIM_STATE
"$prefix/bin/upssim" onbatt >"$tmp/upssim"
grep -q "^state file: $data/upssim.state\$" "$tmp/upssim" || fail "upssim state file: $(head -1 "$tmp/upssim")"

# On a display, F1 is pressed in the main window (shown there, as no tray exists) with the
# home folder as the current folder: the installed quick help opens, through a stand-in for
# the desktop's opener that notes what it was asked to open. HTML files go to a web browser
# there (a stand-in's desktop entry), as the monitor hands the help only to a browser.
if [ -n "${DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM=xcb
    mkdir -p "$tmp/opener" "$home/.local/share/applications"
    printf '#!/bin/sh\necho "$@" >>"%s"\n' "$tmp/opened" >"$tmp/opener/xdg-open"
    printf '#!/bin/sh\necho stand-in-browser.desktop\n' >"$tmp/opener/xdg-mime"
    chmod +x "$tmp/opener/xdg-open" "$tmp/opener/xdg-mime"
    printf '[Desktop Entry]\nType=Application\nName=Browser\nExec=true %%u\nCategories=Network;WebBrowser;\n' \
        >"$home/.local/share/applications/stand-in-browser.desktop"
fi
(cd "$home" && PATH=$tmp/opener:$PATH exec "$prefix/bin/brightlock" --dry-run) 2>"$tmp/monitor.log" &
monitor=$!
# Rows of the log table that hold the text $1.
records() { { sqlite3 "$data/EventRecord.mdb" "select * from record" 2>/dev/null || true; } | grep -cF "$1" || true; }
for _ in $(seq 60); do
    [ "$(records 'Attention!! System Power Failed')" -ge 1 ] && break
    sleep 0.25
done
[ "$(records 'Attention!! System Power Failed')" -ge 1 ] ||
    fail "the installed monitor did not record the simulated power failure; log: $(cat "$tmp/monitor.log")"
grep -q " $programs/libPSU.so\$" "/proc/$monitor/maps" || fail "the monitor did not load the installed libPSU.so"
if [ -n "${DISPLAY:-}" ]; then
    window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$monitor" --name '^Brightlock$' | head -n 1 || true)
    [ -n "$window" ] && xdotool windowfocus --sync "$window" key F1
    for _ in $(seq 20); do [ -s "$tmp/opened" ] && break; sleep 0.25; done
    [ "$(cat "$tmp/opened" 2>/dev/null)" = "file://$programs/Wrenfield%20II.html" ] ||
        fail "F1 opened '$(cat "$tmp/opened" 2>/dev/null)', not the installed quick help"
fi
kill "$monitor"
wait "$monitor" || fail "the monitor ended with status $?"
monitor=
[ "$(records 'Program quit')" -eq 1 ] || fail "no Program quit record"
[ -f "$data/UpsConfigure.ini" ] || fail "no settings written into $data"
after=$(find "$prefix" | sort)
[ "$before" = "$after" ] || fail "the programs wrote into the installation: $(comm -13 <(echo "$before") <(echo "$after"))"

if [ $failures -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "installation in $prefix checked"
