#!/bin/sh
# Renders the PNG and ICO files in resources/icons from their SVG sources.
# Needs rsvg-convert (Debian: librsvg2-bin) and ImageMagick's convert (imagemagick).
# The outputs are committed: the build itself never runs this script.
set -eu

cd "$(dirname "$0")/../resources/icons"
for tool in rsvg-convert convert; do
    command -v "$tool" >/dev/null 2>&1 || { echo "render-icons: $tool is missing" >&2; exit 1; }
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

render() { # svg size output
    svg=$1
    # A drawing made for 16 px on the pixel grid beats a scaled-down large one.
    if [ "$2" -le 16 ] && [ -f "${svg%.svg}-16.svg" ]; then
        svg=${svg%.svg}-16.svg
    fi
    rsvg-convert --width "$2" --height "$2" --keep-aspect-ratio --output "$3" "$svg"
}

# Multi-size icon files: every size drawn from the vector, none scaled from another bitmap.
make_ico() { # svg output sizes...
    source=$1; out=$2; shift 2
    pngs=
    for size in "$@"; do
        render "$source" "$size" "$tmp/$size.png"
        pngs="$pngs $tmp/$size.png"
    done
    # shellcheck disable=SC2086
    convert $pngs -strip "$out"
    rm -f $pngs
}

render Analyzer.svg 64 Analyzer.png
render Analyzer.svg 64 LOGO.png
make_ico Analyzer.svg Analyzer.ico 16 24 32 48 64 128 256
make_ico monitor.svg monitor.ico 16 22 24 32 48 64
make_ico monitor_alarm.svg monitor_alarm.ico 16 22 24 32 48 64

# Tree icons at 16 px and, for high-density screens, 32 px beside them as @2x.
for name in file_log file_realtime storage folder folder_open; do
    render "$name.svg" 16 "$name.png"
    render "$name.svg" 32 "$name@2x.png"
done

# Freedesktop icon theme sizes of the application icon.
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "hicolor/$size"
    render Analyzer.svg "$size" "hicolor/$size/kv521-analyzer.png"
done

# Smaller committed files; optipng is optional.
if command -v optipng >/dev/null 2>&1; then
    find . -name '*.png' -exec optipng -quiet -o2 {} +
fi
