#!/bin/bash
# Renders every picture of the program from its SVG master into resources/, where the build
# embeds them. Run it after editing an SVG and commit the pictures it writes: the build itself
# never converts anything.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick's convert and identify.
set -euo pipefail

src=$(cd "$(dirname "$0")" && pwd)
out=$(dirname "$src")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# render MASTER ZOOM TARGET: draws MASTER.svg at ZOOM times its own size into TARGET.
render() {
    local master=$1 zoom=$2 target=$3
    local raw="$scratch/$target"
    rsvg-convert --zoom="$zoom" "$src/$master.svg" -o "$raw"
    # Dropping an alpha channel that is opaque everywhere, and a palette when the picture has
    # few enough colours to keep them all, make the file smaller and change no pixel.
    local alpha=off format=PNG24
    if [ "$(identify -format '%[opaque]' "$raw" | tr '[:upper:]' '[:lower:]')" != true ]; then
        alpha=on format=PNG32
    elif [ "$(identify -format '%k' "$raw")" -le 256 ]; then
        format=PNG8
    fi
    convert "$raw" -strip -alpha "$alpha" -define png:compression-level=9 "$format:$out/$target"
    if [ "$(compare -metric AE "$raw" "$out/$target" null: 2>&1)" != 0 ]; then
        echo "render.sh: $target differs from its rendering after optimising" >&2
        exit 1
    fi
    echo "$target $(identify -format '%wx%h' "$out/$target") $(stat -c %s "$out/$target") bytes"
}

# render_bitmap MASTER ZOOM TARGET: the same as an uncompressed 24-bit bitmap, for a picture
# that is opaque and shown as the window opens, when there is no time to inflate a PNG.
render_bitmap() {
    local master=$1 zoom=$2 target=$3
    local raw="$scratch/$target.png"
    rsvg-convert --zoom="$zoom" "$src/$master.svg" -o "$raw"
    if [ "$(identify -format '%[opaque]' "$raw" | tr '[:upper:]' '[:lower:]')" != true ]; then
        echo "render.sh: $target must be opaque to be kept as a bitmap" >&2
        exit 1
    fi
    convert "$raw" -strip -alpha off "BMP3:$out/$target"
    if [ "$(compare -metric AE "$raw" "$out/$target" null: 2>&1)" != 0 ]; then
        echo "render.sh: $target differs from its rendering" >&2
        exit 1
    fi
    echo "$target $(identify -format '%wx%h' "$out/$target") $(stat -c %s "$out/$target") bytes"
}

for square in disc-on-light knight-on-light disc-on-dark knight-on-dark; do
    render "$square" 1 "$square.png"
    render "$square" 2 "$square@2x.png"
done
render_bitmap knight 1 knight.bmp
render_bitmap knight 2 knight@2x.bmp
render trevak 1 trevak.png
render trevak 2 trevak@2x.png
render trevak 4 trevak-128.png
