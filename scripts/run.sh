#!/usr/bin/env bash
# The run command: installs what is missing, builds the player and starts it
# under Wine, with a prefix of its own, from a folder laid out as the Windows
# download is (the player, its pictures, the sample tune). With no DISPLAY it
# starts a virtual display of its own with a window manager, and serves that
# display over VNC on localhost. The command ends when the player does, with
# the player's exit code.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
td_prepare || exit 1
arch=$TD_RUN_WINE build=$TD_RUN_BUILD
td_build i686 --target tunedeck || exit 1        # the product
if [ "$build" != i686 ]; then
    td_log "this kernel cannot run 32-bit code: running the same player built for 64-bit Wine"
fi
folder=$TD_BUILD/tunedeck-$build
td_layout_player "$build" "$folder" || exit 1

# Starts x11vnc on DISPLAY, reachable from this machine only; sets vnc_port.
start_vnc() {
    local log=$TD_BUILD/x11vnc.log i
    x11vnc -display "$DISPLAY" -localhost -autoport 5900 -forever -shared -nopw -quiet >"$log" 2>&1 &
    vnc_pid=$!
    for i in $(seq 1 100); do
        vnc_port=$(sed -n 's/^PORT=//p' "$log")
        [ -n "$vnc_port" ] && return 0
        kill -0 "$vnc_pid" 2>/dev/null || break
        sleep 0.1
    done
    td_log "x11vnc did not start (see $log)"; return 1
}

vnc_pid=
finish() {
    [ -n "$vnc_pid" ] && { kill "$vnc_pid" 2>/dev/null; wait "$vnc_pid" 2>/dev/null; }
    td_stop
}

td_wine_env "$arch" run
own_display=0
if [ -z "${DISPLAY:-}" ]; then
    td_start_display || exit 1
    own_display=1
fi
trap finish EXIT
td_start_wine
if [ $own_display -eq 1 ]; then
    td_start_desktop || exit 1
    start_vnc || exit 1
    td_log "no DISPLAY: the player runs on a virtual display of its own ($DISPLAY),"
    td_log "served over VNC on localhost port $vnc_port, without a password. To see it:"
    td_log "  on this machine:    vncviewer localhost::$vnc_port"
    td_log "  from your computer: ssh -L $vnc_port:localhost:$vnc_port <this machine>, then vncviewer localhost::$vnc_port"
fi

# Without a sound device the player's media device cannot open the tune, and
# the player says nothing about it: say it here.
if [ ! -d /dev/snd ] && [ -z "${PULSE_SERVER:-}" ] && ! pactl info >/dev/null 2>&1; then
    td_log "this machine has no sound device: a tune chosen in the player will not play"
    td_log "(to hear it, point PULSE_SERVER at a PulseAudio server before starting this command)"
fi
cd "$folder" || exit 1
td_log "starting the player in $folder: Open offers sample_tune.wav there"
td_log "(Wine's own messages go to $TD_BUILD/run-wine.log)"
"$TD_WINE" "$folder/tunedeck.exe" 2>"$TD_BUILD/run-wine.log" &
player=$!
wait $player
code=$?
td_log "the player ended with exit code $code"
exit $code
