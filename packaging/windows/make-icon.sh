#!/usr/bin/env bash
# Makes packaging/windows/quorvane.ico from the program's SVG icon: the icon
# Explorer shows for Quorvane.exe, and the window's own (Windows draws no SVG
# without Qt's SVG plugin). Run it after a change to packaging/quorvane.svg
# and commit both; the build takes the committed file, so it needs neither
# tool. Needs rsvg-convert (librsvg2-bin) and icotool (icoutils).
set -euo pipefail
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The sizes Explorer and the title bar ask for at 100 to 250 % scaling; the
# largest goes in as PNG, the others as bitmaps, which every reader knows.
small=()
for size in 16 20 24 32 40 48 64; do
  rsvg-convert --width="$size" --height="$size" --output="$work/$size.png" "$here/../quorvane.svg"
  small+=("$work/$size.png")
done
rsvg-convert --width=256 --height=256 --output="$work/256.png" "$here/../quorvane.svg"
icotool --create --output="$here/quorvane.ico" "${small[@]}" --raw="$work/256.png"
icotool --list "$here/quorvane.ico"
