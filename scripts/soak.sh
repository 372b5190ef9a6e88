#!/usr/bin/env bash
# The soak: leaves the real player running under Wine for MINUTES minutes and
# uses it over and over as a person would, on a display of its own with a
# window manager: hovers each control until its prompt shows, opens the sample
# tune through the open-file dialog, lets it play, stops it, cancels a dialog.
# Each minute it samples the player's resident memory and how fast it answers;
# at the end it prints a table and a verdict, and exits 0 only on a pass.
#   Played:  the tune is heard (a sound server of its own, recorded in real
#            time) and the player's process holds the tune open.
#   Stopped: after a click on Stop the tune is closed and silence follows.
#   Pass:    every cycle played and stopped, no step failed, and the resident
#            memory stays within 1 MiB of what it was after the first minute.
# Not one of the tests: it takes as long as it is asked to.
# Usage: scripts/soak.sh MINUTES
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
minutes=${1:-}
case "$minutes" in ''|*[!0-9]*|0) echo "usage: scripts/soak.sh MINUTES (a whole number, at least 1)" >&2; exit 2 ;; esac

td_prepare || exit 1
arch=$TD_RUN_WINE build=$TD_RUN_BUILD
td_build "$build" --target tunedeck player_pictures sample_tune || exit 1
work=$TD_BUILD/soak
folder=$work/tunedeck
rm -rf "$work" && mkdir -p "$work"
cmake --install "$TD_BUILD/$build" --prefix "$folder" >/dev/null || exit 1

# Wine's errors and any crash's backtrace go to wine.log (not its fixme chatter).
export WINEDEBUG=${WINEDEBUG:-fixme-all}
td_wine_env "$arch" soak
unset DISPLAY
td_start_display || exit 1
trap 'kill $TD_CAPTURE_PID 2>/dev/null; td_stop' EXIT
# What the player plays goes to a sound server of our own and is recorded in
# real time, silence included, into captured.raw (S16_LE, 44100 Hz, stereo).
td_start_sound || { td_log "the soak listens through PulseAudio, which did not start"; exit 1; }
export TD_CAPTURE_RAW=$work/captured.raw
raw=$TD_CAPTURE_RAW
td_start_capture || { td_log "could not record the sound server"; exit 1; }
td_start_wine
td_start_desktop || exit 1

now_ms() { date +%s%3N; }
log() { printf '[soak %s] %s\n' "$(date -u +%H:%M:%S)" "$*" >&2; }

cd "$folder" || exit 1
ulimit -c unlimited 2>/dev/null   # a crash leaves its core in the player's folder
"$TD_WINE" "$folder/tunedeck.exe" 2>"$work/wine.log" &
player=$!
for _ in $(seq 1 200); do
    window=$(xdotool search --onlyvisible --name '^TAV-Tunedeck 1.0$' 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "${window:-}" ] || { log "the player's window did not appear"; exit 1; }
# Wine's loader becomes the program: the process started is the player's.
rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$player/status" 2>/dev/null; }
holds_tune() { [[ $(ls -l "/proc/$player/fd" 2>/dev/null) == *sample_tune.wav* ]]; }
# Loudness (RMS, 0..32768) of the last MS milliseconds heard.
level() {
    local bytes=$(($1 * 1764 / 10))
    [ "$(stat -c %s "$raw" 2>/dev/null || echo 0)" -ge "$bytes" ] || { echo 0; return; }
    tail -c "$bytes" "$raw" | sox -q -t raw -r 44100 -e signed -b 16 -c 2 - -n stat 2>&1 |
        awk '/RMS +amplitude/ { printf "%d\n", $3 * 32768 }'
}

# Width of the red prompt at the panel's top-left in pixels (0: none shown).
prompt_width() {
    # import waits for ever on a window that has gone: bounded.
    timeout 5 import -window "$window" -crop 300x30+0+0 +repage png:- 2>/dev/null |
        convert png:- -fuzz 30% -fill white -opaque red -fill black +opaque white -format '%@' info: 2>/dev/null |
        awk -F'[x+]' '{ print ($1 > 1) ? $1 : 0 }'
}

# The pointer to a client point, then the time in ms until a prompt WIDTH
# pixels wide shows (0: until none shows; "any": prints the first width seen),
# or -1 after 5 s.
declare -A prompt_of
hover() {
    local x=$1 y=$2 want=$3 start w
    xdotool mousemove --window "$window" "$x" "$y"
    start=$(now_ms)
    while [ $(($(now_ms) - start)) -lt 5000 ] && kill -0 "$player" 2>/dev/null; do
        w=$(prompt_width)
        w=${w:-0}
        if [ "$want" = any ]; then [ "$w" -gt 0 ] && { echo "$w"; return; }
        elif [ "$w" -ge $((want - 2)) ] && [ "$w" -le $((want + 2)) ]; then
            echo $(($(now_ms) - start)); return
        fi
        sleep 0.02
    done
    echo -1
}
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
dialog_window() { xdotool search --onlyvisible --name '^Open A File$' 2>/dev/null | head -1; }
# Waits up to $1 ms for the open-file dialog to be shown (want=1) or gone
# (want=0); prints the ms it took, or -1.
wait_dialog() {
    local limit=$1 want=$2 start d
    start=$(now_ms)
    while [ $(($(now_ms) - start)) -lt "$limit" ]; do
        d=$(dialog_window)
        if { [ "$want" = 1 ] && [ -n "$d" ]; } || { [ "$want" = 0 ] && [ -z "$d" ]; }; then
            echo $(($(now_ms) - start)); return
        fi
        sleep 0.05
    done
    echo -1
}

# Each control's prompt, learnt once: its width tells the three apart.
open_at="50 60" exit_at="50 100" stop_at="185 95" away_at="250 30"
for c in open exit stop; do
    at=${c}_at
    [ "$(hover ${!at} any)" -gt 0 ] || { log "no prompt shows over $c"; exit 1; }
    sleep 0.3
    w=$(prompt_width)
    prompt_of[$c]=$w
done
log "prompt widths: Open ${prompt_of[open]}, Exit ${prompt_of[exit]}, Stop ${prompt_of[stop]} px"

fail() { failures+=("minute $minute, cycle $cycle: $*"); log "FAILED: $*"; }

# One cycle as a person: returns after the player is back to idle.
cycle_once() {
    local t loud
    kill -0 "$player" 2>/dev/null || return
    rm -f "$raw"   # the recording goes on into a new file: keep it small
    for c in exit stop open; do
        local at=${c}_at
        t=$(hover ${!at} "${prompt_of[$c]}")
        [ "$t" -ge 0 ] || { fail "no $c prompt"; return; }
        hover_ms+=("$t")
    done
    click $open_at
    t=$(wait_dialog 10000 1)
    [ "$t" -ge 0 ] || { fail "Open showed no dialog"; return; }
    dialog_ms+=("$t")
    # As a person would: type the name into the dialog, which has the focus.
    xdotool type --delay 30 sample_tune.wav
    xdotool key Return
    [ "$(wait_dialog 5000 0)" -ge 0 ] || { fail "the dialog did not close"; return; }
    t=$(now_ms)
    while [ $(($(now_ms) - t)) -lt 10000 ]; do
        [ "$(level 100)" -gt 1000 ] && { sound_ms+=($(($(now_ms) - t))); break; }
        sleep 0.05
    done
    sleep 2   # let it play: the tune lasts 16 s
    loud=$(level 1000)
    if holds_tune && [ "${loud:-0}" -gt 1000 ]; then played=$((played + 1))
    else fail "did not play (tune open: $(holds_tune && echo yes || echo no), level of the last second ${loud:-0})"; fi
    click $stop_at
    t=$(now_ms)
    while holds_tune && [ $(($(now_ms) - t)) -lt 5000 ]; do sleep 0.05; done
    sleep 0.5
    loud=$(level 300)
    if ! holds_tune && [ "${loud:-0}" -lt 100 ]; then stopped=$((stopped + 1))
    else fail "Stop did not stop it (tune open: $(holds_tune && echo yes || echo no), level ${loud:-0})"; fi
    [ "$(hover $away_at 0)" -ge 0 ] || fail "a prompt stayed away from the controls"

    # Open, then change one's mind: Escape cancels the dialog.
    click $open_at
    [ "$(wait_dialog 10000 1)" -ge 0 ] || { fail "Open showed no dialog to cancel"; return; }
    xdotool key Escape
    [ "$(wait_dialog 5000 0)" -ge 0 ] || { fail "Escape did not close the dialog"; return; }
    [ "$(hover $away_at 0)" -ge 0 ] || fail "a prompt stayed away from the controls"
    cycles=$((cycles + 1))
}

# "median/maximum" of the numbers given.
spread() { printf '%s\n' "$@" | sort -n | awk 'NF { v[++n] = $1 } END { print n ? v[int((n + 1) / 2)] "/" v[n] : "-" }'; }

failures=()
rows=()
first_rss= most=0 most_at=
start=$(date +%s)
log "soaking for $minutes minutes (player process $player, display $DISPLAY)"
for minute in $(seq 1 "$minutes"); do
    cycles=0 played=0 stopped=0 cycle=0
    hover_ms=() dialog_ms=() sound_ms=()
    end=$((start + minute * 60))
    while [ "$(date +%s)" -lt "$end" ]; do
        kill -0 "$player" 2>/dev/null || break
        cycle=$((cycle + 1))
        cycle_once
    done
    kill -0 "$player" 2>/dev/null || { failures+=("minute $minute: the player ended"); break; }
    rss=$(rss_kib)
    [ -n "$first_rss" ] || first_rss=$rss
    rows+=("$(printf '%6s %6s %6s %7s %8.1f %6d %10s %10s %10s' "$minute" "$cycle" "$played" "$stopped" \
        "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')" "$((rss - first_rss))" \
        "$(spread "${hover_ms[@]}")" "$(spread "${dialog_ms[@]}")" "$(spread "${sound_ms[@]}")")")
    log "${rows[-1]}"
    [ "$cycles" -eq "$cycle" ] && [ "$played" -eq "$cycle" ] && [ "$stopped" -eq "$cycle" ] ||
        failures+=("minute $minute: $cycle cycles begun, $cycles finished, $played played, $stopped stopped")
    [ $((rss - first_rss)) -le "$most" ] || { most=$((rss - first_rss)) most_at=$minute; }
done
[ "$most" -lt 1024 ] || failures+=("memory grew by up to $most KiB over minute 1's (minute $most_at)")

# Exit through the panel, as a person leaves.
ended="Exit ended the player"
if kill -0 "$player" 2>/dev/null; then
    click $exit_at
    for _ in $(seq 1 150); do kill -0 "$player" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$player" 2>/dev/null && { failures+=("Exit did not end the player"); kill "$player"; }
else
    ended="The player had ended on its own before Exit"
fi
wait "$player"
code=$?
[ "$code" -gt 128 ] && ended="$ended, killed by signal $((code - 128)) (see $work/wine.log and any core in $folder),"

echo
echo "Soak of the player, $minutes minutes, $(td_arch_of "$arch") build under $arch Wine"
printf '%6s %6s %6s %7s %8s %6s %10s %10s %10s\n' minute cycles played stopped "RSS MiB" "+KiB" \
    "prompt ms" "dialog ms" "sound ms"
printf '%s\n' "${rows[@]}"
echo "RSS: the player's resident memory at the end of the minute; +KiB: against minute 1."
echo "Times are median/maximum: prompt, from the pointer onto a control until its prompt"
echo "shows; dialog, from a click on Open until the dialog shows; sound, from the dialog's"
echo "closing until the tune is heard."
echo "$ended with code $code"
[ "$code" -eq 0 ] || failures+=("$ended with code $code")
if [ ${#failures[@]} -eq 0 ]; then
    echo "VERDICT: PASS"
    exit 0
fi
printf 'VERDICT: FAIL\n'
printf '  %s\n' "${failures[@]}"
exit 1
