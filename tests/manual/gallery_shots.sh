#!/usr/bin/env bash
# Screenshots of the skinned controls under Xvfb with openbox: every button look, the
# check-box values, the radio states and a skinned 552 x 172 window with rounded corners,
# on a light and on a dark desktop. Usage: gallery_shots.sh <build dir> <output dir>
set -euo pipefail
build=$(realpath "$1")
out=$(realpath -m "$2")
mkdir -p "$out"
if [ -z "${DISPLAY:-}" ] || [ "${GALLERY_IN_XVFB:-}" != 1 ]; then
    exec env GALLERY_IN_XVFB=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build" "$out"
fi

gallery=$build/tests/manual/controls_gallery
for theme in light dark; do
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 1
    positions=$(mktemp)
    "$gallery" $([ $theme = dark ] && echo --dark) >"$positions" &
    app=$!
    for _ in $(seq 50); do [ -s "$positions" ] && grep -q main_title "$positions" && break; sleep 0.2; done
    [ $theme = light ] && grep '^layout ' "$positions" >"$out/alarm-layout.txt"
    at() { grep "^$1 " "$positions" | cut -d' ' -f2-; }

    xdotool mousemove 1000 740
    sleep 0.5
    import -window root "$out/$theme-desktop.png"
    # shellcheck disable=SC2046
    xdotool mousemove $(at hover)
    sleep 0.5
    import -window root "$out/$theme-button-hover.png"
    # shellcheck disable=SC2046
    xdotool mousemove $(at pressed) mousedown 1
    sleep 0.5
    import -window root "$out/$theme-button-pressed.png"
    xdotool mouseup 1 mousemove 1000 740
    sleep 0.3
    # shellcheck disable=SC2046
    xdotool mousemove $(at check_hover)
    sleep 0.5
    import -window root "$out/$theme-check-hover.png"
    # shellcheck disable=SC2046
    xdotool mousemove $(at check_press) mousedown 1
    sleep 0.5
    import -window root "$out/$theme-check-pressed.png"
    xdotool mouseup 1 mousemove 1000 740
    sleep 0.3
    # shellcheck disable=SC2046
    xdotool mousemove $(at radio_hover)
    sleep 0.5
    import -window root "$out/$theme-radio-hover.png"
    xdotool mousemove 1000 740
    sleep 0.5
    import -window root "$out/$theme-after-leave.png"
    # Keyboard focus: activate the controls' window, Tab onto a control, then focus a button.
    xdotool mousemove 600 300 click 1 key Tab
    sleep 0.5
    import -window root "$out/$theme-focus-check.png"
    xdotool key F2
    sleep 0.5
    import -window root "$out/$theme-focus-button.png"

    kill "$app" "$wm" 2>/dev/null || true
    wait "$app" "$wm" 2>/dev/null || true
    rm -f "$positions"
done
echo "screenshots in $out"
