#!/bin/sh
# orvel in a real X server: the window opens with a sample picture whose colours are on screen
# and whose name is in the title, and the K key, pressed through the X server, turns the picture to black and white.
# Usage: smoke.sh ORVEL PICTURE OUTDIR (the screenshots stay in OUTDIR).
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
colours() { import -window "$1" "$OUT/$2" && \
            convert "$OUT/$2" -unique-colors txt:- | grep -o "#[0-9A-F]\{6\}"; }
# Waits (up to 30 s) until the window, grabbed into $2, shows colour $3 and lacks colour $4.
await() {
    for _ in $(seq 60); do
        shown=$(colours "$1" "$2")
        if echo "$shown" | grep -q "$3" && { [ -z "${4:-}" ] || ! echo "$shown" | grep -q "$4"; }
        then return 0; fi
        sleep 0.5
    done
    echo "smoke: the window never showed $3 without ${4:-nothing}" >&2; return 1
}
"$EXE" "$PICTURE" & pid=$!
trap "kill $pid 2>/dev/null || true" EXIT
wid=$(timeout 30 xdotool search --sync --onlyvisible --name "^orvel" | head -n 1)
title=$(xdotool getwindowname "$wid")                # a picture named on the command line
[ "$title" = "orvel — $(basename "$PICTURE")" ] || { echo "smoke: title \"$title\"" >&2; exit 1; }
await "$wid" main-window.png "#5F0B20"         # a dim colour of "Quen: Double": the picture is there
xdotool windowfocus --sync "$wid"
xdotool key k                                  # through the X server input, as a keyboard types
await "$wid" after-k.png "#FFFFFF" "#5F0B20"  # one-bit now: no dim colour left (the swatches stay)
echo "smoke: picture shown and K applied"
'
