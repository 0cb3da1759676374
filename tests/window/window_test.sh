#!/usr/bin/env bash
# The real window under a virtual X display: the wait window's size and its
# label, the message box, and the process ending when OK is pressed.
# Exits 77 (skipped) when the X tools are not installed.
set -u
probe=$1
for tool in Xvfb xdotool xwininfo convert import; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool not installed"; exit 77; }
done

work=$(mktemp -d)
# Xvfb picks a free display number itself and reports it, so runs in
# parallel never share a display.
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp -noreset 5>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
probe_pid=
cleanup() {
  [ -n "$probe_pid" ] && kill "$probe_pid" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")"
for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

fail() { echo "FAIL: $*"; exit 1; }

# Number of dark pixels in a region of a window's screenshot.
dark_pixels() {  # window geometry(WxH+X+Y)
  import -window "$1" "$work/shot.png" 2>/dev/null || fail "no screenshot of window $1"
  convert "$work/shot.png" -crop "$2" +repage -colorspace Gray -threshold 50% \
    -format "%[fx:round((1-mean)*w*h)]" info:
}

mkfifo "$work/input"
"$probe" <"$work/input" >"$work/output" 2>&1 &
probe_pid=$!
exec 3>"$work/input"

for _ in $(seq 300); do grep -q "wait window shown" "$work/output" && break; sleep 0.1; done
grep -q "wait window shown" "$work/output" || fail "the wait window was not shown: $(cat "$work/output")"

wait_window=$(xdotool search --name '^Alvera_Monteluce$' | head -n 1)
[ -n "$wait_window" ] || fail "no window titled with the scenario identifier"
info=$(xwininfo -id "$wait_window")
width=$(awk '/Width:/ {print $2}' <<<"$info")
height=$(awk '/Height:/ {print $2}' <<<"$info")
[ "$width" = 280 ] && [ "$height" = 179 ] || fail "wait window is ${width}x${height}, not 280x179"
label=$(dark_pixels "$wait_window" 177x53+64+64)
[ "$label" -gt 100 ] || fail "the label area holds $label dark pixels: no text drawn"
margin=$(dark_pixels "$wait_window" 60x60+0+0)
[ "$margin" -eq 0 ] || fail "the corner outside the label holds $margin dark pixels"
echo "wait window: 280x179, $label dark pixels in the label area"

echo go >&3
box=
for _ in $(seq 300); do
  box=$(xdotool search --name '^window_probe$' 2>/dev/null | head -n 1)
  [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || fail "no message box with the program's name as caption"
sleep 0.3
box_info=$(xwininfo -id "$box")
box_width=$(awk '/Width:/ {print $2}' <<<"$box_info")
text=$(dark_pixels "$box" "$((box_width - 40))x40+20+15")
[ "$text" -gt 50 ] || fail "the message box prompt area holds $text dark pixels"
kill -0 "$probe_pid" 2>/dev/null || fail "the process ended before the box was closed"
grep -q "message box closed" "$work/output" && fail "the box returned before OK was pressed"

xdotool mousemove --window "$box" $((box_width / 2)) 79 click 1
for _ in $(seq 50); do kill -0 "$probe_pid" 2>/dev/null || break; sleep 0.1; done
wait "$probe_pid"
status=$?
probe_pid=
[ "$status" = 2 ] || fail "exit status $status after OK, expected 2"
grep -q "message box closed" "$work/output" || fail "the box did not return"
echo "message box: prompt drawn, closed by OK, exit status 2"
