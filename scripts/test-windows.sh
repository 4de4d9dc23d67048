#!/bin/sh
# The Windows build under Wine, on a private Xvfb and in a Wine prefix of its own (the user's
# prefix and desktop are never touched): every Windows unit test program, then the real
# vesperon.exe end to end in --dry-run mode (no power request is ever made) -- the main window
# maps, a click stores its key in the settings file, a one-minute countdown set up by clicks
# shows the warning window and logs the action, and a second copy shows its message and ends.
#   test-windows.sh [WINDOWS_BUILD [HOST_BUILD]]   (defaults: build/windows, build/release)
set -u

cd "$(dirname "$0")/.."
build=${1:-build/windows}
host=${2:-build/release}
artefacts="$build/artifacts"
program="$build/src/vesperon.exe"
title="Vesperon V2.4(Timer)"

# Tests that expect the line heights of FreeType's hinting (Arial at 11 pixels is 14 pixels high
# there, and frames and captions are placed by it); Wine's GDI hints the same face to 12 pixels.
freetype_heights="TextMetrics.ArialMinusElevenHasTextHeightFourteen:TextMetrics.HeightsFollowTheHintedGlyphExtremes"
freetype_heights="$freetype_heights:TextOutput.OpaqueModeFillsTheTextCell:TextOutput.MetricsMatchTheDeviceContextFont"
freetype_heights="$freetype_heights:GroupBoxTest.FlatFrameHasCutCornersAndItsTopLineAtHalfTheTextHeight"
freetype_heights="$freetype_heights:GroupBoxTest.CaptionBandFromEightHidesTheTopLine"
freetype_heights="$freetype_heights:GroupBoxTest.AcceleratorIsMeasuredWithoutItsMarker"
freetype_heights="$freetype_heights:GroupBoxTest.DisabledFrameIsUnchanged"
freetype_heights="$freetype_heights:ButtonGlyphTest.EveryLayoutPlacesGlyphAndCaption"

for tool in wine wineserver Xvfb xdotool openbox xprop xwininfo; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "test-windows: $tool is missing; run scripts/setup.sh" >&2
        exit 1
    fi
done
[ -f "$program" ] || { echo "test-windows: no $program; run make windows" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=""
wm_pid=""
program_pid=""
second_pid=""
cleanup() {
    for pid in $second_pid $program_pid; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    wineserver -k 2>/dev/null
    for pid in $wm_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

fail() {
    echo "FAIL: $*"
    [ -f "$work/program.out" ] && cat "$work/program.out"
    [ -n "${DISPLAY:-}" ] && "$host/tools/x11shot" "$artefacts/program_wine_failure.png" 2>/dev/null
    exit 1
}

# A prefix of the test's own; no Mono or Gecko installer is offered while it is made.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$artefacts"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"

# A window manager, as on a desktop: without one Wine waits two seconds for every minimised
# window it hides, and no window has a title bar.
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.05
done

# One Wine session for everything: the server stays up between the programs.
started=$(date +%s)
wine wineboot --init >"$work/wineboot.log" 2>&1
wineserver -w
wineserver -p
echo "test-windows: Wine prefix ready in $(($(date +%s) - started)) s"

status=0
for tests in "$build"/tests/*_tests.exe; do
    name=$(basename "$tests" .exe)
    filter="*"
    case "$name" in
    toolkit_tests | controls_tests) filter="-$freetype_heights" ;;
    esac
    if wine "$tests" --gtest_brief=1 --gtest_filter="$filter" >"$work/$name.log" 2>&1; then
        echo "test-windows: $name passed ($(grep -o '[0-9]* tests\? from' "$work/$name.log" | head -n 1 | cut -d' ' -f1) tests)"
    else
        cat "$work/$name.log"
        echo "test-windows: $name FAILED"
        status=1
    fi
done
[ "$status" = 0 ] || exit 1

# --- The real program, end to end ---------------------------------------------------------
log="$work/dry-run.log"
launched=$(date +%s%N)
wine "$program" --dry-run="Z:$log" >"$work/program.out" 2>&1 &
program_pid=$!

find_window() {
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1
}
window=""
for _ in $(seq 300); do
    window=$(find_window "^Vesperon V2\\.4\\(Timer\\)\$")
    [ -n "$window" ] && break
    sleep 0.05
done
[ -n "$window" ] || fail "no window titled \"$title\""
echo "test-windows: main window mapped $((($(date +%s%N) - launched) / 1000000)) ms after the launch"
sleep 1 # the first frames
# The window with the frame the window manager put around it.
frame=$(xwininfo -id "$window" -tree 2>/dev/null | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
"$host/tools/x11shot" "$artefacts/program_wine_main.png" --window "$(printf '%d' "${frame:-$window}")" 2>/dev/null

ini=""
settings() {
    ini=$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Roaming/Vesperon/Vesperon.ini' 2>/dev/null | head -n 1)
    cat "$ini" 2>/dev/null
}
click() {
    xdotool mousemove --window "$window" "$1" "$2" click 1
    sleep 0.4
}
expect_ini() {
    expected=$(printf "$1")
    actual=$(settings)
    [ "$actual" = "$expected" ] || fail "after $2 the settings file holds:
$actual
instead of:
$expected"
}

click 85 239 # 30 seconds to warn
expect_ini '[CB]\nWarn=1' "ticking the warning"
click 232 73 # Degression
click 58 108 # the minutes edit, then its text replaced by 1
xdotool key ctrl+a
xdotool type --delay 30 "1"
sleep 0.4
expect_ini '[CB]\nWarn=1\nRBFS=0\n[Set]\nFZ=1' "choosing a countdown of 1 minute"

click 36 24 # Auto-run on: the current user's Run value
wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Vesperon >"$work/run.txt" 2>&1
grep -q 'Vesperon *REG_SZ *".*vesperon.exe" au' "$work/run.txt" || fail "Auto-run wrote no Run value: $(cat "$work/run.txt")"
click 36 24 # Auto-run off
wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Vesperon >/dev/null 2>&1 &&
    fail "unticking Auto-run left the Run value"

click 246 260 # Start
sleep 1
[ -z "$(find_window "^Vesperon V2\\.4\\(Timer\\)\$")" ] || fail "the main window stayed on screen after Start"
[ ! -s "$log" ] || fail "an action was requested right after Start"

# The warning window (no title) comes 30 seconds before the target.
warning=""
for _ in $(seq 400); do
    for candidate in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
        xdotool getwindowgeometry "$candidate" | grep -q "Geometry: 418x115" && warning=$candidate
    done
    [ -n "$warning" ] && break
    sleep 0.1
done
[ -n "$warning" ] || fail "no 418 x 115 warning window"
"$host/tools/x11shot" "$artefacts/program_wine_warning.png" --window "$warning" 2>/dev/null

for _ in $(seq 450); do
    [ -s "$log" ] && break
    sleep 0.1
done
[ -s "$log" ] || fail "the dry-run log recorded no action"
cat "$log"
grep -q "action 1: .*ExitWindowsEx(EWX_POWEROFF, 0)" "$log" || fail "the action is not the shutdown request"

# A second copy shows its message box (caption "Vesperon") and ends with code 0 once answered.
wine "$program" --dry-run >"$work/second.out" 2>&1 &
second_pid=$!
box=""
for _ in $(seq 300); do
    box=$(find_window "^Vesperon\$")
    [ -n "$box" ] && break
    sleep 0.05
done
[ -n "$box" ] || fail "the second copy showed no message"
sleep 0.5
# The OK button is pressed with the pointer, in the box's lower middle.
width=$(xdotool getwindowgeometry "$box" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1/p')
height=$(xdotool getwindowgeometry "$box" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\2/p')
xdotool mousemove --window "$box" $((width / 2)) $((height - 24)) click 1
code=""
for _ in $(seq 200); do
    if ! kill -0 "$second_pid" 2>/dev/null; then
        wait "$second_pid"
        code=$?
        second_pid=""
        break
    fi
    sleep 0.05
done
[ "$code" = "0" ] || fail "the second copy did not end with code 0 (status '$code')"
kill -0 "$program_pid" 2>/dev/null || fail "the first copy ended"
echo "test-windows: PASS (screenshots in $artefacts)"
