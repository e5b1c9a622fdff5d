#!/bin/sh
# Runs every generator in tools/ into a scratch directory and compares its output with the
# committed files byte for byte: a resource that differs from what its script makes fails.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0

# same COMMITTED MADE: reports and counts a difference.
same() {
    if ! cmp -s "$1" "$2"; then
        echo "differs from its generator's output: ${1#"$repo"/}"
        status=1
    fi
}

python=python3
[ -x /usr/bin/python3 ] && python=/usr/bin/python3 # Debian's, which has fontTools

skipped=0
if $python -c 'import fontTools' 2>/dev/null; then
    $python "$repo/tools/font/make_font.py" "$scratch/Apple_II.ttf" >/dev/null
    same "$repo/source/resources/Apple_II.ttf" "$scratch/Apple_II.ttf"
else
    echo "no fontTools for $python (Debian: python3-fonttools): the font is not checked"
    skipped=1
fi
$python "$repo/tools/make_icon.py" "$scratch/orvel-icon.png" >/dev/null
same "$repo/source/resources/orvel-icon.png" "$scratch/orvel-icon.png"
for kind in sounds textscreens samples; do
    case $kind in
    sounds) script=make_sounds.py committed=source/resources/sounds ;;
    textscreens) script=make_textscreens.py committed=source/resources/textscreens ;;
    samples) script=make_samples.py committed=samples ;;
    esac
    $python "$repo/tools/$script" "$scratch/$kind" >/dev/null
    for made in "$scratch/$kind"/*; do
        same "$repo/$committed/$(basename "$made")" "$made"
    done
    # Every committed output must still be made, and nothing else lies beside them.
    for file in "$repo/$committed"/*; do
        case $(basename "$file") in README.md) continue ;; esac
        [ -e "$scratch/$kind/$(basename "$file")" ] || { echo "no generator makes ${file#"$repo"/}"; status=1; }
    done
done
[ $status -eq 0 ] && [ $skipped -eq 1 ] && exit 77 # ctest counts it as skipped
[ $status -eq 0 ] && echo "every generated file matches its generator"
exit $status
