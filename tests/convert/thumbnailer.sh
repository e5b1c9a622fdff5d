#!/bin/sh
# The installed thumbnailer as a file manager runs it: its Exec line with %s, %i and %o filled in,
# run with the installed bin on PATH, on a sample picture; the installed MIME description gives
# the sample its type, and orvel.desktop declares every type the thumbnailer draws.
# Usage: thumbnailer.sh BUILD-DIR SAMPLE.dhgr OUTDIR
set -eu
build=$1 sample=$2 out=$3
rm -rf "$out" && mkdir -p "$out"
prefix="$out/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
entry="$prefix/share/thumbnailers/orvel.thumbnailer"
line=$(sed -n 's/^Exec=//p' "$entry")
types=$(sed -n 's/^MimeType=//p' "$entry")
cp "$sample" "$out/picture.dgr"
# File managers split the line at spaces and put the values in as whole arguments.
set --
for word in $line; do
    case $word in
    %s) set -- "$@" 128 ;;
    %i) set -- "$@" "$out/picture.dgr" ;;
    %o) set -- "$@" "$out/thumbnail.png" ;;
    *) set -- "$@" "$word" ;;
    esac
done
PATH="$prefix/bin:$PATH" "$@"
size=$(identify -format "%wx%h" "$out/thumbnail.png")
colours=$(convert "$out/thumbnail.png" -unique-colors txt:- | grep -c "#")
[ "$size" = "128x87" ] || { echo "thumbnailer: a thumbnail of $size, not 128x87" >&2; exit 1; }
[ "$colours" -gt 16 ] || { echo "thumbnailer: only $colours colours: no picture" >&2; exit 1; }

if command -v update-mime-database >/dev/null; then
    update-mime-database "$prefix/share/mime" 2>/dev/null
    grep -qx "image/x-apple2-dhgr:\*.dgr" "$prefix/share/mime/globs" ||
        { echo "thumbnailer: .dgr is not image/x-apple2-dhgr" >&2; exit 1; }
fi
desktop=$(sed -n 's/^MimeType=//p' "$prefix/share/applications/orvel.desktop")
for type in $(echo "$types" | tr ';' ' '); do
    case ";$desktop" in *";$type;"*) ;; *) echo "thumbnailer: orvel.desktop lacks $type" >&2; exit 1 ;; esac
done
echo "thumbnailer: $* drew a $size thumbnail"
