#!/usr/bin/env bash
# Takes the pictures of the user's guide (help/help-pictures/*.png) from the real program.
# It starts the monitor in a virtual X server with openbox and a tray (trayer), in dry-run
# mode on the simulated UPS with a throwaway settings folder, drives it with xdotool and
# upssim through a power failure, and saves each window as a PNG. A page or window that the
# program does not have yet is skipped with a note, so running it again fills the gaps.
#
# Usage: scripts/help-pictures.sh [build folder]      (default: build)
# Positions of controls on pages that may change can be given as "x y" in the main window:
#   EM_LOW_AT, EM_LEVEL_AT, EM_OS_AT  the "UPS Low Battery", "Battery Level" and "OS Event
#                        Log" option buttons
#   CLEAR_AT             the "Clear All Logs" button of the Log Record page
# in the confirmation dialog: QUESTION_NO_AT, its "NO" button; and in the save list:
#   SAVE_CLOSE_AT, its "Close" button.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
build=$(realpath "${1:-build}")
if [ "${HELP_PICTURES_IN_XVFB:-}" != 1 ]; then
    # -wr: a white desktop, so the rounded corners of the windows blend into the guide's page.
    exec env HELP_PICTURES_IN_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24 -wr" "$0" "$build"
fi

dist=$build/dist
out=$repo/help/help-pictures
mkdir -p "$out"
home=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT

export BRIGHTLOCK_HOME=$home PSU_DRIVER=sim PSU_SIM_STATE=$home/upssim.state
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$home/runtime
mkdir -m 700 "$home/runtime"

# The shipped settings, with a short low-battery countdown so the alarm window comes soon,
# and without saving applications (the closer would type into this X server).
awk '/^\[/ { section = $0 }
     section == "[OSEvent]" && /^Saveapllication=/ { $0 = "Saveapllication=0" }
     section == "[UpsLowBattery]" && /^Delaytime=/ { $0 = "Delaytime=2" }
     { print }' "$repo/common/UpsConfigure.ini" >"$home/UpsConfigure.ini"

note() { echo "help-pictures: $*"; }

# Waits up to $2 seconds for a visible window titled exactly $1 and prints its id.
wait_window() {
    local deadline=$((SECONDS + $2)) id
    while [ $SECONDS -le $deadline ]; do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n 1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.2
    done
    return 1
}

# Prints "x y width height" of window $1 on the screen, and the widths of the window
# manager's frame around it as "left right top bottom".
geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
        /^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print x, y, w, h }'
}
frame() {
    local extents
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ',')
    echo "${extents:-0 0 0 0}"
}

# Saves window $1, with the window manager's frame when it has one, from the screen as $2.
shot_window() {
    local x y w h l r t b
    read -r x y w h <<<"$(geometry "$1")"
    read -r l r t b <<<"$(frame "$1")"
    xdotool mousemove 1270 5 # no pointer hovering over a control
    sleep 0.6
    import -window root -crop "$((w + l + r))x$((h + t + b))+$((x - l))+$((y - t))" +repage "$out/$2"
    note "$2"
}

# Clicks at "x y" inside window $1.
click_in() {
    local x y w h
    read -r x y w h <<<"$(geometry "$1")"
    xdotool mousemove $((x + $2)) $((y + $3)) click 1
}

# Number of colours in the page area of a main-window picture: an empty page has one or two.
page_colours() {
    convert "$1" -crop 616x324+12+76 +repage -format %k info:
}

ups() {
    "$dist/upssim" "$1" >/dev/null
    sleep 3 # the monitor polls every 2.2 s
}

openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1
trayer --edge bottom --align right --widthtype request --height 32 --SetDockType true \
    --transparent false --tint 0xd8d8d8 >/dev/null 2>&1 &
pids+=($!)
sleep 1

"$dist/upssim" online >/dev/null
"$dist/Brightlock" --dry-run 2>"$home/monitor.log" &
monitor=$!
pids+=("$monitor")

splash=$(wait_window Brightlock 10)
shot_window "$splash" splash.png
sleep 3

# The tray icon sits at the right end of the panel at the bottom right of the screen.
tray_x=1268 tray_y=1008
tray_shot() {
    # The tip shows after the pointer moves onto the icon.
    xdotool mousemove $((tray_x - 30)) $tray_y
    sleep 0.3
    xdotool mousemove $((tray_x - 3)) $tray_y
    sleep 0.5
    xdotool mousemove $tray_x $tray_y
    sleep 2.5
    import -window root -crop 260x64+1020+960 +repage "$out/$1"
    note "$1"
    xdotool mousemove 1270 5
}
tray_shot tray-online.png

xdotool mousemove $tray_x $tray_y click --repeat 2 --delay 80 1
main=$(wait_window Brightlock 5)
xdotool windowmove "$main" 40 40
sleep 1
# Tabs, in the main window: Status, Log Record, Event Record, Closed Applications, Event Manager.
tab() {
    case $1 in
    status) click_in "$main" 64 54 ;;
    log) click_in "$main" 170 54 ;;
    events) click_in "$main" 286 54 ;;
    closed) click_in "$main" 424 54 ;;
    manager) click_in "$main" 565 54 ;;
    esac
    sleep 0.8
}
# Takes a page; skips it when the page is still empty.
page_shot() {
    tab "$1"
    shot_window "$main" "$2"
    if [ "$(page_colours "$out/$2")" -lt 20 ]; then
        rm -f "$out/$2"
        note "$2 skipped: the page shows nothing yet"
        return 1
    fi
}

shot_window "$main" status-online.png
ups silent
shot_window "$main" status-disconnected.png
tray_shot tray-not-protected.png
ups onbatt
shot_window "$main" status-on-battery.png
tray_shot tray-on-battery.png

# Takes the confirmation dialog that the last click opened as $1, then answers "NO", which
# leaves everything as it was; $2 says why a missing dialog is skipped.
question_shot() {
    local question
    if ! question=$(wait_window "System Information" 4); then
        note "$1 skipped: $2"
        return
    fi
    shot_window "$question" "$1"
    # shellcheck disable=SC2086
    click_in "$question" ${QUESTION_NO_AT:-217 120}
    sleep 0.5
    if xdotool search --onlyvisible --name "^System Information\$" >/dev/null 2>&1; then
        note "the dialog did not close: set QUESTION_NO_AT to its NO button"
    fi
}

# The Shutdown button asks first.
click_in "$main" 546 357
question_shot question-shutdown.png "no confirmation dialog"

ups lowbatt
shot_window "$main" status-low-battery.png
tray_shot tray-low-battery.png

# The record pages and the Event Manager, while the low-battery countdown runs.
page_shot log page-log.png || true
if [ -f "$out/page-log.png" ]; then
    # shellcheck disable=SC2086
    click_in "$main" ${CLEAR_AT:-432 374}
    question_shot question-clear.png "set CLEAR_AT to the Clear All Logs button"
fi
page_shot events page-events.png || true
if page_shot manager event-manager-on-battery.png; then
    # shellcheck disable=SC2086
    click_in "$main" ${EM_LOW_AT:-240 100}
    sleep 0.5
    shot_window "$main" event-manager-low-battery.png
    # shellcheck disable=SC2086
    click_in "$main" ${EM_LEVEL_AT:-370 100}
    sleep 0.5
    shot_window "$main" event-manager-battery-level.png
    # shellcheck disable=SC2086
    click_in "$main" ${EM_OS_AT:-520 100}
    sleep 0.5
    shot_window "$main" event-manager-os.png
    for panel in low-battery battery-level os; do
        if compare -metric AE "$out/event-manager-on-battery.png" "$out/event-manager-$panel.png" null: 2>/dev/null; then
            rm -f "$out/event-manager-$panel.png"
            note "event-manager-$panel.png skipped: set EM_LOW_AT / EM_LEVEL_AT / EM_OS_AT to the option buttons"
        fi
    done
fi
tab status

# When the countdown runs out, the alarm window fills its bar and starts the (rehearsed)
# shutdown.
if alarm=$(wait_window "Alarm Message" 150); then
    sleep 1.5
    shot_window "$alarm" alarm.png
else
    note "alarm.png skipped: no alarm window"
fi
sleep 5
grep -q "dry run: power-off requested" "$home/monitor.log" || note "the rehearsed shutdown did not happen"

# A second start after a shutdown at which the closer saved two applications: the save list.
kill "$monitor"
wait "$monitor" 2>/dev/null || true
cat >"$home/CloseApp.ini" <<EOF
[CloseApp]
1=Report.odt - LibreOffice Writer
2=Budget.ods - LibreOffice Calc
3=Terminal
Count=3
[Date]
1=$(date +%Y-%m-%d)
2=$(date +%Y-%m-%d)
[Time]
1=18:42:07
2=18:42:15
[SaveAppFileName]
1=$home/Save/SaveClose4821
2=$home/Save/SaveClose377
EOF
sed -i -e 's/^CloseAppFlag=.*/CloseAppFlag=1/' -e 's/^SaveList=.*/SaveList=1/' "$home/UpsConfigure.ini"
"$dist/upssim" online >/dev/null
"$dist/Brightlock" --dry-run 2>>"$home/monitor.log" &
monitor=$!
pids+=("$monitor")
sleep 3
if saved=$(wait_window "Save List" 3); then
    shot_window "$saved" save-list.png
    # shellcheck disable=SC2086
    click_in "$saved" ${SAVE_CLOSE_AT:-783 348}
    sleep 0.5
    if xdotool search --onlyvisible --name "^Save List\$" >/dev/null 2>&1; then
        note "the save list did not close: set SAVE_CLOSE_AT to its Close button"
    fi
else
    note "save-list.png skipped: no save list window"
fi
xdotool mousemove $tray_x $tray_y click --repeat 2 --delay 80 1
if main=$(wait_window Brightlock 5); then
    xdotool windowmove "$main" 40 40
    sleep 1
    page_shot closed page-closed.png || true
fi
echo "help-pictures: pictures in $out"
