#!/bin/sh
# The Windows build under Wine, on a private X server with a window manager and in a Wine
# prefix of its own (the user's prefix and desktop are never touched): every Windows unit test
# program, then the real vesperon.exe end to end in --dry-run mode (no power request is ever
# made) -- the main window maps, a click stores its key in the settings file, a one-minute
# countdown set up by clicks shows the warning window and logs the action, and a second copy
# shows its message and ends.
#   test-windows.sh [WINDOWS_BUILD [HOST_BUILD]]   (defaults: build/windows, build/release)
set -u

cd "$(dirname "$0")/.." || exit 1
build=${1:-build/windows}
host=${2:-build/release}
artefacts="$build/artifacts"
exe="$build/src/vesperon.exe"
# The end-to-end helpers start programs as "$program" ARGUMENTS: here Wine with the .exe.
program=wine
. tests/e2e/lib/desktop.sh

# Tests that expect the line heights of FreeType's hinting (Arial at 11 pixels is 14 pixels high
# there, and frames and captions are placed by it); Wine's GDI hints the same face to 12 pixels.
freetype_heights="TextMetrics.ArialMinusElevenHasTextHeightFourteen:TextMetrics.HeightsFollowTheHintedGlyphExtremes"
freetype_heights="$freetype_heights:TextOutput.OpaqueModeFillsTheTextCell:TextOutput.MetricsMatchTheDeviceContextFont"
freetype_heights="$freetype_heights:GroupBoxTest.FlatFrameHasCutCornersAndItsTopLineAtHalfTheTextHeight"
freetype_heights="$freetype_heights:GroupBoxTest.CaptionBandFromEightHidesTheTopLine"
freetype_heights="$freetype_heights:GroupBoxTest.AcceleratorIsMeasuredWithoutItsMarker"
freetype_heights="$freetype_heights:GroupBoxTest.DisabledFrameIsUnchanged"
freetype_heights="$freetype_heights:ButtonGlyphTest.EveryLayoutPlacesGlyphAndCaption"

require_tools wine wineserver Xvfb xdotool openbox xprop xwininfo
[ -f "$exe" ] || fail "no $exe; run make windows"

# A prefix of the test's own, ended before the work folder goes; no Mono or Gecko installer is
# offered while it is made.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
end_wine() {
    wineserver -k 2>/dev/null
    end_started
}
trap end_wine EXIT INT TERM
mkdir -p "$artefacts"
start_desktop

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
start_program "$exe" --dry-run="Z:$log"
wait_for 300 main_window_shown || fail "no window titled \"Vesperon V2.4(Timer)\""
echo "test-windows: main window mapped $((($(date +%s%N) - launched) / 1000000)) ms after the launch"
sleep 1 # the first frames
# The window with the frame the window manager put around it.
frame=$(xwininfo -id "$window" -tree 2>/dev/null | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
"$host/tools/x11shot" "$artefacts/program_wine_main.png" --window "$(printf '%d' "${frame:-$window}")" 2>/dev/null

settings() {
    find "$WINEPREFIX/drive_c/users" -path '*/AppData/Roaming/Vesperon/Vesperon.ini' -exec cat {} \; 2>/dev/null
}
expect_ini() {
    expected=$(printf '%b' "$1")
    actual=$(settings)
    [ "$actual" = "$expected" ] || fail "after $2 the settings file holds:
$actual
instead of:
$expected"
}
run_value() {
    wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Vesperon 2>&1
}

click "$window" 85 239 # 30 seconds to warn
expect_ini '[CB]\nWarn=1' "ticking the warning"
click "$window" 232 73 # Degression
click "$window" 58 108 # the minutes edit, then its text replaced by 1
xdotool key ctrl+a
xdotool type --delay 30 "1"
sleep 0.4
expect_ini '[CB]\nWarn=1\nRBFS=0\n[Set]\nFZ=1' "choosing a countdown of 1 minute"

click "$window" 36 24 # Auto-run on: the current user's Run value
run_value | grep -q 'Vesperon *REG_SZ *".*vesperon.exe" au' || fail "Auto-run wrote no Run value: $(run_value)"
click "$window" 36 24 # Auto-run off
run_value | grep -q 'REG_SZ' && fail "unticking Auto-run left the Run value"

click "$window" 246 260 # Start
wait_for 20 main_window_gone || fail "the main window stayed on screen after Start"
[ ! -s "$log" ] || fail "an action was requested right after Start"

# The warning window comes 30 seconds before the target.
wait_for 400 warning_shown || fail "no 418 x 115 warning window"
"$host/tools/x11shot" "$artefacts/program_wine_warning.png" --window "$warning" 2>/dev/null
wait_for 450 test -s "$log" || fail "the dry-run log recorded no action"
cat "$log"
grep -q "action 1: .*ExitWindowsEx(EWX_POWEROFF, 0)" "$log" || fail "the action is not the shutdown request"

# A second copy shows its message box (caption "Vesperon") and ends with code 0 once answered.
wine "$exe" --dry-run >"$work/second.out" 2>&1 &
second_pid=$!
track "$second_pid"
box_shown() {
    box=$(find_window "^Vesperon\$")
    [ -n "$box" ]
}
wait_for 300 box_shown || fail "the second copy showed no message"
sleep 0.5
# The OK button is pressed with the pointer, in the box's lower middle.
geometry=$(xdotool getwindowgeometry "$box" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
click "$box" $((${geometry% *} / 2)) $((${geometry#* } - 24))
code=""
for _ in $(seq 200); do
    if ! kill -0 "$second_pid" 2>/dev/null; then
        wait "$second_pid"
        code=$?
        untrack "$second_pid"
        break
    fi
    sleep 0.05
done
[ "$code" = "0" ] || fail "the second copy did not end with code 0 (status '$code')"
kill -0 "$program_pid" 2>/dev/null || fail "the first copy ended"
echo "test-windows: PASS (screenshots in $artefacts)"
