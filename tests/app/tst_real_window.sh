#!/usr/bin/env bash
# Starts the real calculator in a real X server, types a purchase with real key events, presses
# Enter, takes a screenshot and quits with Ctrl+Q; then checks that the expanded window was drawn
# that the window carries its icon, and that the settings file holds the fee schedule.
# Usage: real_window_test.sh <path to vantrelle> <screenshot to write>
set -u
executable=$1
screenshot=$2

for tool in Xvfb xdotool import identify xprop; do
    if ! command -v "$tool" > /dev/null; then
        echo "SKIP: $tool is not installed (Debian packages xvfb, xdotool, imagemagick, x11-utils)"
        exit 77
    fi
done

work=$(mktemp -d)
cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2> /dev/null
    [ -n "${xserver:-}" ] && kill "$xserver" 2> /dev/null
    wait 2> /dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    [ -f "$work/app.log" ] && cat "$work/app.log"
    exit 1
}

# The settings file sits beside the executable, so the program runs from a copy.
cp "$executable" "$work/vantrelle"
printf '[Vantrelle]\r\nFB1=0\r\nFH1=99999999\r\nF1=10\r\n' > "$work/vantrelle.ini"

exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
xserver=$!
for _ in $(seq 50); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$work/display")"
unset QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb

"$work/vantrelle" > "$work/app.log" 2>&1 &
app=$!
window=$(xdotool search --sync --onlyvisible --name "Calculateur de prix de vente" | head -n 1)
[ -n "$window" ] || fail "the window did not appear"
# The window manager and the task bar show the icon the program hands to X.
xprop -id "$window" _NET_WM_ICON | grep -q 'Icon (48 x 48)' ||
    fail "the window carries no 48x48 icon: $(xprop -id "$window" _NET_WM_ICON | cut -c1-80)"
compact_height=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')

# Without a window manager the keyboard focus is given by hand, and Qt needs a moment to see it.
xdotool windowfocus --sync "$window"
sleep 1
xdotool type --delay 60 "10"
xdotool key Tab
xdotool type --delay 60 "100"
xdotool key Tab
xdotool type --delay 60 "10"
xdotool key Return
sleep 1

geometry=$(xdotool getwindowgeometry "$window")
height=$(sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p' <<< "$geometry")
[ "$height" -gt "$compact_height" ] ||
    fail "the window was not expanded by the calculation ($compact_height -> $height)"

import -window "$window" "$screenshot" || fail "no screenshot"
shot_height=$(identify -format '%h' "$screenshot")
[ "$shot_height" -eq "$height" ] || fail "the screenshot is $shot_height high, not $height"
colours=$(identify -format '%k' "$screenshot")
[ "$colours" -gt 8 ] || fail "the window looks blank ($colours colours)"

xdotool key ctrl+q
for _ in $(seq 50); do
    kill -0 "$app" 2> /dev/null || break
    sleep 0.1
done
kill -0 "$app" 2> /dev/null && fail "Ctrl+Q did not end the program"
app=

grep -q '^FH1=99999999' "$work/vantrelle.ini" || fail "the schedule was not saved"
grep -q '^V1=Vrai' "$work/vantrelle.ini" || fail "the whole schedule was not saved"
echo "PASS: icon shown, expanded to $height pixels, $colours colours, schedule saved"
