#!/usr/bin/env bash
# Draws the player's two pictures from assets/stop_button.txt:
#   <out>/img/UserInterface/StopButton.jpg      the button, black around it
#   <out>/img/UserInterface/StopButtonMask.jpg  black on the button, white elsewhere
# Usage: scripts/make-pictures.sh <description file> <output folder>
set -eu
desc=$1 out=$2
convert=/usr/bin/convert   # ImageMagick's; another "convert" may come first on PATH
value() { awk -v k="$1" '$1 == k { print $2 }' "$desc"; }
w=$(value width) h=$(value height) cx=$(value centre_x) cy=$(value centre_y) r=$(value radius)
face=$(value face_colour) rim=$(value rim_colour) rimw=$(value rim_width) q=$(value quality)
dir=$out/img/UserInterface
mkdir -p "$dir"
edge="$cx,$((cy + r))"
inner="$cx,$((cy + r - rimw))"
# The picture must be black wherever the mask is white, so that OR-ing it
# onto the masked panel leaves the panel as it was there.
"$convert" -size "${w}x${h}" xc:black \
    -fill "$rim" -draw "circle $cx,$cy $edge" \
    -fill "$face" -draw "circle $cx,$cy $inner" \
    -quality "$q" "$dir/StopButton.jpg"
"$convert" -size "${w}x${h}" xc:white -fill black -draw "circle $cx,$cy $edge" \
    -quality "$q" "$dir/StopButtonMask.jpg"
