#!/bin/sh
# Renders the keyboard picture from its SVG source into ../Resources
# (needs rsvg-convert and ImageMagick's convert).
set -e
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
rsvg-convert -w 160 -h 173 keyboard.svg -o "$tmp/keyboard.png"
convert "$tmp/keyboard.png" -background '#23262b' -alpha remove -type TrueColor BMP3:../Resources/keyb520.bmp
