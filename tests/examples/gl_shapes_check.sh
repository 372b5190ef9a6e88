#!/usr/bin/env bash
# gl_shapes_demo under Wine: two screenshots of its window a second apart
# differ and are lit (smooth shading gives many colours), and Escape ends it
# with exit code 0. Usage: gl_shapes_check.sh DEMO.exe ARTIFACTS_DIR
set -u
exe=$1 shots=$2/gl_shapes_demo
"$(dirname "$0")/../../scripts/wine-exec" "$exe" & demo=$!
trap 'kill $demo 2>/dev/null' EXIT
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Tunedeck shapes$' | head -1)
[ -n "$window" ] || { echo "no window"; exit 1; }
shot() { timeout 10 import -window "$window" "${shots}_$1.png" && identify -format %k "${shots}_$1.png"; }
for i in $(seq 100); do first=$(shot 1); [ "${first:-0}" -gt 200 ] && break; sleep 0.2; done   # until a lit frame shows
sleep 1
second=$(shot 2) changed=$(compare -metric AE "${shots}_1.png" "${shots}_2.png" null: 2>&1)
echo "colours $first and $second, pixels changed $changed (see ${shots}_1.png, _2.png)"
[ "${first:-0}" -gt 200 ] && [ "${second:-0}" -gt 200 ] && [ "${changed%%.*}" -gt 1000 ] || exit 1
timeout 10 xdotool windowfocus --sync "$window" key Escape
for i in $(seq 100); do kill -0 $demo 2>/dev/null || break; sleep 0.1; done
wait $demo; code=$?
echo "exit code after Escape: $code"; [ $code -eq 0 ]
