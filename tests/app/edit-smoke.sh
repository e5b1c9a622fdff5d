#!/bin/sh
# Picture editing in a real X server: on a new (black) picture the Rectangle tool's key is
# pressed, a rectangle dragged with the mouse appears, and Ctrl+Z takes it away again.
# Usage: edit-smoke.sh ORVEL OUTDIR (the screenshots stay in OUTDIR).
set -eu
exe=$1 out=$2
for tool in xvfb-run xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "edit-smoke: $tool is missing" >&2; exit 1; }
done
rm -rf "$out" && mkdir -p "$out/config"
export XDG_CONFIG_HOME="$out/config" EXE="$exe" OUT="$out"
unset QT_QPA_PLATFORM
mkdir -m 700 "$out/runtime" && export XDG_RUNTIME_DIR="$out/runtime"

exec xvfb-run -a -s "-screen 0 1280x900x24" sh -eu -c '
"$EXE" & pid=$!
trap "kill $pid 2>/dev/null || true" EXIT
wid=$(timeout 30 xdotool search --sync --onlyvisible --name "^orvel" | head -n 1)
sleep 1
xdotool windowfocus --sync "$wid"
eval "$(xdotool getwindowgeometry --shell "$wid")" # X, Y of the window on the screen
# White pixels in the box of the drag (window-relative), as grabbed from the X server.
whites() {
    import -window "$wid" "$OUT/$1"
    convert "$OUT/$1" -crop 170x110+145+145 +repage -unique-colors txt:- | grep -c "#FFFFFF" || true
}
[ "$(whites before.png)" = 0 ] || { echo "edit-smoke: the new picture is not black" >&2; exit 1; }
xdotool key r                                       # the Rectangle tool
xdotool mousemove $((X + 150)) $((Y + 150)) mousedown 1
xdotool mousemove $((X + 230)) $((Y + 200))
xdotool mousemove $((X + 310)) $((Y + 250)) mouseup 1
for _ in $(seq 20); do [ "$(whites drawn.png)" != 0 ] && break; sleep 0.25; done
[ "$(whites drawn.png)" != 0 ] || { echo "edit-smoke: no rectangle was drawn" >&2; exit 1; }
xdotool key ctrl+z
for _ in $(seq 20); do [ "$(whites undone.png)" = 0 ] && break; sleep 0.25; done
[ "$(whites undone.png)" = 0 ] || { echo "edit-smoke: undo left the rectangle" >&2; exit 1; }
echo "edit-smoke: rectangle drawn with the mouse and undone"
'
