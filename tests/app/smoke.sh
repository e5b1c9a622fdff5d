#!/bin/sh
# orvel in a real X server: the window opens with a sample picture whose colours are on screen,
# and the K key, pressed through the X server, turns the picture to black and white.
# Usage: smoke.sh ORVEL PICTURE OUTDIR (the last screenshot is left in OUTDIR/main-window.png).
set -eu
exe=$1 picture=$2 out=$3
for tool in xvfb-run xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "smoke: $tool is missing" >&2; exit 1; }
done
rm -rf "$out" && mkdir -p "$out/config"
export XDG_CONFIG_HOME="$out/config" EXE="$exe" PICTURE="$picture" OUT="$out"
unset QT_QPA_PLATFORM
mkdir -m 700 "$out/runtime" && export XDG_RUNTIME_DIR="$out/runtime"

exec xvfb-run -a -s "-screen 0 1280x900x24" sh -eu -c '
# Colours of the window, as the X server shows it, one hex RGB a line.
colours() { import -window "$1" "$OUT/main-window.png" && \
            convert "$OUT/main-window.png" -unique-colors txt:- | grep -o "#[0-9A-F]\{6\}"; }
# Waits (up to 30 s) until the window shows colour $2 and, when given, lacks colour $3.
await() {
    for _ in $(seq 60); do
        shown=$(colours "$1")
        if echo "$shown" | grep -q "$2" && { [ -z "${3:-}" ] || ! echo "$shown" | grep -q "$3"; }
        then return 0; fi
        sleep 0.5
    done
    echo "smoke: the window never showed $2 without ${3:-nothing}" >&2; return 1
}
"$EXE" "$PICTURE" & pid=$!
trap "kill $pid 2>/dev/null || true" EXIT
wid=$(timeout 30 xdotool search --sync --onlyvisible --name "^orvel" | head -n 1)
await "$wid" "#5F0B20"                 # a dim colour of "Quen: Double": the picture is there
xdotool windowfocus --sync "$wid"
xdotool key k                           # through the X server input, as a keyboard types
await "$wid" "#FFFFFF" "#5F0B20"       # one-bit now: no dim colour left (the swatches stay)
echo "smoke: picture shown and K applied"
'
