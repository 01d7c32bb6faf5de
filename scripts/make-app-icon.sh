#!/usr/bin/env bash
# Renders the program icon into app/res/orlivane.ico and the artwork preview sheet into
# docs/artwork-preview.png, from the same drawing code the program uses.
#
#   scripts/make-app-icon.sh            both
#   scripts/make-app-icon.sh icon       only the .ico
#   scripts/make-app-icon.sh preview    only the preview sheet
#
# Needs the host g++, ImageMagick's convert and icotool (icoutils); the last two are installed
# with apt-get when missing.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
what=${1:-all}
case "$what" in
    all | icon | preview) ;;
    *) echo "usage: $0 [icon|preview]" >&2; exit 2 ;;
esac

need=()
command -v convert >/dev/null || need+=(imagemagick)
command -v icotool >/dev/null || need+=(icoutils)
if ((${#need[@]})); then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get install -y --no-install-recommends "${need[@]}"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

g++ -std=c++20 -O2 -Wall -Wextra -Wpedantic -Wshadow -Werror \
    -I"$root/app/artwork" \
    "$root/app/artwork/artwork.cpp" "$root/app/artwork/vector_canvas.cpp" \
    "$root/tools/make_app_icon.cpp" -o "$work/make_app_icon"

if [ "$what" != preview ]; then
    "$work/make_app_icon" icon "$work"
    small=()
    raw=()
    for size in 16 20 24 32 40 48 64 128 256; do
        convert "$work/icon-$size.pam" "PNG32:$work/icon-$size.png"
        # The large entries stay PNG-compressed; the small ones become classic bitmaps, which
        # every shell reads.
        if [ "$size" -ge 128 ]; then
            raw+=("--raw=$work/icon-$size.png")
        else
            small+=("$work/icon-$size.png")
        fi
    done
    mkdir -p "$root/app/res"
    icotool -c -o "$root/app/res/orlivane.ico" "${small[@]}" "${raw[@]}"
    echo "wrote app/res/orlivane.ico ($(stat -c %s "$root/app/res/orlivane.ico") bytes)"
fi

if [ "$what" != icon ]; then
    "$work/make_app_icon" preview "$work/preview.ppm"
    mkdir -p "$root/docs"
    convert "$work/preview.ppm" -strip "PNG24:$root/docs/artwork-preview.png"
    echo "wrote docs/artwork-preview.png"
fi
