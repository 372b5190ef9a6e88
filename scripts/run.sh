#!/usr/bin/env bash
# The run command: installs what is missing, builds the player and starts it
# under Wine from the folder that holds its pictures. With no DISPLAY it starts
# a virtual display of its own and keeps a screenshot of it up to date.
# The command ends when the player does, with the player's exit code.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
td_prepare || exit 1
arch=$TD_RUN_WINE build=$TD_RUN_BUILD
td_build i686 --target tunedeck || exit 1        # the product
if [ "$build" != i686 ]; then
    td_log "this kernel cannot run 32-bit code: running the same player built for 64-bit Wine"
    td_build "$build" --target tunedeck || exit 1
fi
td_build "$build" --target player_pictures || exit 1

td_wine_env "$arch"
own_display=0
if [ -z "${DISPLAY:-}" ]; then
    td_start_display || exit 1
    own_display=1
fi
trap td_stop EXIT
td_start_wine

shot=$TD_BUILD/artifacts/run-screen.png
if [ $own_display -eq 1 ]; then
    td_log "no DISPLAY: the player runs on the virtual display $DISPLAY"
    td_log "its picture is saved every 2 s to $shot (or: DISPLAY=$DISPLAY xwd -root | convert xwd:- shot.png)"
fi

cd "$TD_BUILD/$build/assets" || exit 1
"$TD_WINE" "$TD_BUILD/$build/app/tunedeck.exe" &
player=$!
if [ $own_display -eq 1 ]; then
    while kill -0 $player 2>/dev/null; do
        /usr/bin/import -display "$DISPLAY" -window root "$shot.tmp.png" 2>/dev/null && mv "$shot.tmp.png" "$shot"
        sleep 2
    done
fi
wait $player
code=$?
td_log "the player ended with exit code $code"
exit $code
