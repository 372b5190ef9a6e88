#!/usr/bin/env bash
# The soak: leaves the real player running under Wine for MINUTES minutes and
# uses it over and over as a person would, on a display of its own with a
# window manager: hovers each control until its prompt shows, picks a file a
# person could pick by mistake through the open-file dialog (empty, random
# bytes named .mp3, an MP3 cut in half, a WAV whose header lies about its
# length, a file deleted as the dialog closes), then the sample tune, lets it
# play, stops it (right after it starts, in the middle with a second Open
# that the player ignores, or within 50 ms of its natural end, in turn) and
# cancels a dialog. A control program with none of the player's code
# (scripts/soak_control.cpp) makes the platform do the same after each cycle,
# in its own process, so what the platform keeps can be told from ours.
# After each cycle it samples the memory both processes hold (resident, once
# the C library has handed back its free pages) and how fast the player
# answered; at the end come cycles with no media (hovers and a
# cancelled dialog), then a table, a plot (soak.png) and a verdict; it exits
# 0 only on a pass.
#   Played:  the tune is heard (a sound server of its own, recorded in real
#            time) and the player's process holds the tune open.
#   Stopped: after a click on Stop the tune is closed and silence follows.
#   Pass:    every cycle played and stopped, no step failed, the player's
#            growth after the first minute less the control's stays under
#            1 MiB (each read off a line fitted through the samples), and the
#            cycles with no media grow the player by no more than noise
#            (64 KiB) beyond the control.
# Not one of the tests: it takes as long as it is asked to.
# Usage: scripts/soak.sh MINUTES
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
minutes=${1:-}
case "$minutes" in ''|*[!0-9]*|0) echo "usage: scripts/soak.sh MINUTES (a whole number, at least 1)" >&2; exit 2 ;; esac

TD_PACKAGES="$TD_PACKAGES $TD_PACKAGES_SOAK"
td_prepare || exit 1
arch=$TD_RUN_WINE build=$TD_RUN_BUILD
work=$TD_BUILD/soak
folder=$work/tunedeck
rm -rf "$work" && mkdir -p "$work"
td_layout_player "$build" "$folder" || exit 1
# The control, with the player's manifest so its code page is the same.
"$build-w64-mingw32-windres" -I "$TD_ROOT/app" "$TD_ROOT/app/tunedeck.rc" -O coff -o "$work/control.res" &&
    "$build-w64-mingw32-g++-posix" -std=c++20 -O2 -static "$TD_ROOT/scripts/soak_control.cpp" "$work/control.res" \
        -o "$work/control.exe" -lwinmm -lcomdlg32 || { echo "could not build the control" >&2; exit 1; }

# Files a person could pick by mistake, made now, in the player's folder.
tune=$folder/sample_tune.wav
: >"$folder/empty.mp3"
head -c 65536 /dev/urandom >"$folder/noise.mp3"
sox -q "$tune" "$work/whole.mp3" && head -c $(($(stat -c %s "$work/whole.mp3") / 2)) "$work/whole.mp3" >"$folder/half.mp3"
head -c $((44 + 176400)) "$tune" >"$folder/liar.wav"   # the header still says 16 s; 1 s follows
bad_files=(empty.mp3 noise.mp3 half.mp3 liar.wav gone.wav)
tune_ms=$(soxi -D "$tune" | awk '{ printf "%d", $1 * 1000 }')
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# Wine's errors and any crash's backtrace go to wine.log (not its fixme chatter),
# with the "MPEGVideo" driver's trace: it names every file that was missing
# when the platform itself came to open it.
export WINEDEBUG=${WINEDEBUG:-fixme-all},+mciqtz
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
coproc CONTROL { exec "$TD_WINE" "$work/control.exe" 2>"$work/control.log"; }
control=$CONTROL_PID
for _ in $(seq 1 200); do
    window=$(xdotool search --onlyvisible --name '^TAV-Tunedeck 1.0$' 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "${window:-}" ] || { log "the player's window did not appear"; exit 1; }
# Wine's loader becomes the program: the process started is the player's.
rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status" 2>/dev/null; }
# What a process holds: its resident memory once the C library under Wine has
# handed back the free pages it keeps for reuse (malloc_trim, called through
# gdb), the least of five readings 0.1 s apart so that the stack of a thread
# still ending is not counted. The platform's decoder threads leave several
# MiB free in the C library's pools, a different amount each run, which hid
# any growth of ours. Without gdb's access (trim=0) it is the resident memory.
trim=0
give_back() { timeout 20 gdb -p "$1" -batch -ex 'call (int)malloc_trim(0)' 2>&1; }
held_kib() {
    [ "$trim" = 1 ] && give_back "$1" >/dev/null
    local i r low=
    for i in 1 2 3 4 5; do
        r=$(rss_kib "$1")
        [ -z "$low" ] || [ "${r:-0}" -lt "$low" ] && low=$r
        sleep 0.1
    done
    echo "${low:-0}"
}
[[ $(give_back "$player") == *'$1 = '* ]] && trim=1
missing_opens() { grep -c 'Cannot render file (hr = 80070002)' "$work/wine.log"; }
holds() { [[ $(ls -l "/proc/$player/fd" 2>/dev/null) == *"/$1"* ]]; }
holds_tune() { holds sample_tune.wav; }
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

# What the cycle made the platform do, for the control to do the same.
mirror=()
# Sends the control the cycle's mirror, one command at a time.
run_control() {
    local c answer
    for c in "${mirror[@]}"; do
        [ "${c:0:1}" = "!" ] && { eval "${c:1}"; continue; }   # what the soak did to the files
        printf '%s\n' "$c" >&"${CONTROL[1]}" 2>/dev/null || { fail "the control has ended"; return; }
        read -r -t 60 answer <&"${CONTROL[0]}" || { fail "the control did not answer \"$c\""; return; }
    done
    mirror=()
}

# Open brought no dialog: keeps the screen and the window tree once (a dialog
# window that exists unseen means its call never came back), then clicks Stop
# as a person would, so that a player left armed (playing flag set, nothing
# open) is back to idle and the next cycles tell the two apart.
no_dialog() {
    fail "Open showed no dialog (unseen dialog windows: $(xdotool search --name '^Open A File$' 2>/dev/null | wc -l))"
    if [ ! -f "$work/no-dialog.png" ]; then
        timeout 5 import -window root "$work/no-dialog.png" 2>/dev/null
        xwininfo -root -tree >"$work/no-dialog-windows.txt" 2>&1
    fi
    click $stop_at
}

# A dialog left open would hold every later cycle (no prompt shows under it):
# Escape until it goes.
dismiss_dialog() {
    local i
    for i in 1 2 3; do [ -n "$(dialog_window)" ] || return; xdotool key Escape; sleep 0.5; done
}

# Open, the dialog, NAME typed and Return, as a person; then waits for the
# dialog to close. A name that has gone brings up the dialog's own "not
# found" box (same title): it is answered and the dialog cancelled.
pick() {
    local name=$1 t
    click $open_at
    t=$(wait_dialog 10000 1)
    [ "$t" -ge 0 ] || { no_dialog; return 1; }
    dialog_ms+=("$t")
    xdotool type --delay 30 "$name"
    xdotool key Return
    if [ "$name" = gone.wav ]; then
        rm -f "$folder/gone.wav"
        mirror+=("!cp \"\$tune\" \"\$folder/gone.wav\"" "pick $name" "!rm -f \"\$folder/gone.wav\"")
    else
        mirror+=("pick $name")
    fi
    [ "$(wait_dialog $([ "$name" = gone.wav ] && echo 3000 || echo 5000) 0)" -ge 0 ] && return 0
    [ "$name" = gone.wav ] || { fail "the dialog did not close after $name"; dismiss_dialog; return 1; }
    gone_found=$((gone_found + 1))
    mirror=("${mirror[@]:0:${#mirror[@]}-3}" "cancel")   # the control's dialog shows the box too
    xdotool key Return; sleep 0.3; xdotool key Escape
    [ "$(wait_dialog 5000 0)" -ge 0 ] || { fail "the dialog did not close after $name"; dismiss_dialog; return 1; }
    return 2
}

# Stop, then: the tune closed and silence. Counts a stopped cycle.
stop_tune() {
    local t loud
    click $stop_at
    mirror+=("close")
    t=$(now_ms)
    while holds_tune && [ $(($(now_ms) - t)) -lt 5000 ]; do sleep 0.05; done
    sleep 0.5
    loud=$(level 300)
    if ! holds_tune && [ "${loud:-0}" -lt 100 ]; then stopped=$((stopped + 1))
    else fail "Stop did not stop it (tune open: $(holds_tune && echo yes || echo no), level ${loud:-0})"; fi
}

# One cycle as a person: returns after the player is back to idle. Stops come
# in turn right after the start, in the middle, and near the natural end.
cycle_once() {
    local t loud heard_at mode=$((total % 3)) bad=${bad_files[total % ${#bad_files[@]}]}
    kill -0 "$player" 2>/dev/null || return
    rm -f "$raw"   # the recording goes on into a new file: keep it small
    for c in exit stop open; do
        local at=${c}_at
        t=$(hover ${!at} "${prompt_of[$c]}")
        [ "$t" -ge 0 ] || { fail "no $c prompt"; return; }
        hover_ms+=("$t")
    done

    # A file picked by mistake: whatever it does, the player goes on.
    [ "$bad" = gone.wav ] && cp "$tune" "$folder/gone.wav"
    local missing picked
    missing=$(missing_opens)
    pick "$bad"
    picked=$?
    [ "$picked" = 1 ] && return
    sleep 1
    if [ "$picked" = 0 ]; then
        # The player opens nothing for a file gone since the dialog closed,
        # but one that goes while the platform opens it is opened missing.
        if [ "$bad" != gone.wav ]; then mirror+=("open $(winpath "$folder/$bad")")
        elif [ "$(missing_opens)" -gt "$missing" ]; then raced=$((raced + 1)); mirror+=("open $(winpath "$folder/$bad")"); fi
        mirror+=("wait 1000")
    fi
    holds "$bad" && bad_played=$((bad_played + 1))
    click $stop_at
    mirror+=("close")
    t=$(now_ms)
    while holds "$bad" && [ $(($(now_ms) - t)) -lt 5000 ]; do sleep 0.05; done

    pick sample_tune.wav || return
    mirror+=("open $(winpath "$tune")")
    t=$(now_ms) heard_at=
    while [ $(($(now_ms) - t)) -lt 10000 ]; do
        [ "$(level 100)" -gt 1000 ] && { heard_at=$(now_ms); sound_ms+=($((heard_at - t))); break; }
        sleep 0.05
    done
    if [ "$mode" = 0 ]; then
        if [ -n "$heard_at" ] && holds_tune; then played=$((played + 1))
        else fail "did not play (tune open: $(holds_tune && echo yes || echo no), not heard)"; fi
    else
        sleep 2
        loud=$(level 1000)
        if holds_tune && [ "${loud:-0}" -gt 1000 ]; then played=$((played + 1))
        else fail "did not play (tune open: $(holds_tune && echo yes || echo no), level of the last second ${loud:-0})"; fi
    fi
    if [ "$mode" = 1 ]; then
        # A second tune while one plays: the player ignores Open.
        click $open_at
        [ "$(wait_dialog 1000 1)" -lt 0 ] || { fail "Open while playing showed a dialog"; xdotool key Escape; }
    elif [ "$mode" = 2 ] && [ -n "$heard_at" ]; then
        # Within 50 ms either side of where the tune ends (the notice races the click).
        local end=$((heard_at + tune_ms - 150 + RANDOM % 101 - 50))
        while [ "$(now_ms)" -lt $((end - 1000)) ]; do sleep 0.2; done
        while [ "$(now_ms)" -lt "$end" ]; do :; done
    fi
    mirror+=("wait $(($(now_ms) - ${heard_at:-$(now_ms)}))")
    stop_tune
    [ "$(hover $away_at 0)" -ge 0 ] || fail "a prompt stayed away from the controls"
    cancel_once || return
    cycles=$((cycles + 1))
}

# Open, then change one's mind: Escape cancels the dialog.
cancel_once() {
    click $open_at
    [ "$(wait_dialog 10000 1)" -ge 0 ] || { fail "Open showed no dialog to cancel"; return 1; }
    xdotool key Escape
    [ "$(wait_dialog 5000 0)" -ge 0 ] || { fail "Escape did not close the dialog"; return 1; }
    mirror+=("cancel")
    [ "$(hover $away_at 0)" -ge 0 ] || fail "a prompt stayed away from the controls"
}

# "median/maximum" of the numbers given.
spread() { printf '%s\n' "$@" | sort -n | awk 'NF { v[++n] = $1 } END { print n ? v[int((n + 1) / 2)] "/" v[n] : "-" }'; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }

failures=()
rows=()
first_p= first_c= plot_p0= raw_p0= most=0 most_at= total=0 bad_played=0 gone_found=0 raced=0
start=$(date +%s)
echo "# seconds player_+KiB control_+KiB (held, against the first cycle) prompt_ms dialog_ms sound_ms" \
    "player_+KiB control_+KiB (resident)" >"$work/cycles.dat"
log "soaking for $minutes minutes (player process $player, control $control, display $DISPLAY;" \
    "memory $([ "$trim" = 1 ] && echo "held, the C library's free pages handed back" || echo "resident: gdb could not attach"))"
for minute in $(seq 1 "$minutes"); do
    cycles=0 played=0 stopped=0 cycle=0
    hover_ms=() dialog_ms=() sound_ms=()
    end=$((start + minute * 60))
    while [ "$(date +%s)" -lt "$end" ]; do
        kill -0 "$player" 2>/dev/null || break
        cycle=$((cycle + 1))
        cycle_once
        total=$((total + 1))
        raw_p=$(rss_kib $player) p=$(held_kib $player)   # each right after its own cycle
        run_control
        raw_c=$(rss_kib $control) c=$(held_kib $control)
        [ -n "$plot_p0" ] || plot_p0=$p plot_c0=$c raw_p0=$raw_p raw_c0=$raw_c
        echo "$(($(date +%s) - start)) $((p - plot_p0)) $((c - plot_c0)) ${hover_ms[-1]:--} ${dialog_ms[-1]:--}" \
            "${sound_ms[-1]:--} $((raw_p - raw_p0)) $((raw_c - raw_c0))" >>"$work/cycles.dat"
    done
    kill -0 "$player" 2>/dev/null || { failures+=("minute $minute: the player ended"); break; }
    rss=${p:-0} crss=${c:-0}
    [ -n "$first_p" ] || first_p=$rss first_c=$crss
    ours=$(((rss - first_p) - (crss - first_c)))
    rows+=("$(printf '%6s %6s %6s %7s %7s %6d %7s %6d %6d %10s %10s %10s' "$minute" "$cycle" "$played" "$stopped" \
        "$(mib "$rss")" "$((rss - first_p))" "$(mib "$crss")" "$((crss - first_c))" "$ours" \
        "$(spread "${hover_ms[@]}")" "$(spread "${dialog_ms[@]}")" "$(spread "${sound_ms[@]}")")")
    log "${rows[-1]}"
    [ "$cycles" -eq "$cycle" ] && [ "$played" -eq "$cycle" ] && [ "$stopped" -eq "$cycle" ] ||
        failures+=("minute $minute: $cycle cycles begun, $cycles finished, $played played, $stopped stopped")
    [ "$ours" -le "$most" ] || { most=$ours most_at=$minute; }
done
# Single samples still wander by some hundred KiB either way (Wine's own heap
# keeps free blocks too), so growth after minute 1 is read off a straight
# line fitted through each process's samples from then on.
read -r fit_p fit_c < <(awk '!/^#/ && $1 >= 60 { n++; x = $1; sx += x; sxx += x * x; sp += $2; sxp += x * $2
        sc += $3; sxc += x * $3; last = x }
    END { d = n * sxx - sx * sx; if (n < 2 || d == 0) { print 0, 0; exit }
          printf "%d %d\n", (n * sxp - sx * sp) / d * (last - 60), (n * sxc - sx * sc) / d * (last - 60) }' "$work/cycles.dat")
[ $((fit_p - fit_c)) -lt 1024 ] || failures+=("after minute 1 the player grew by $fit_p KiB, the control by $fit_c KiB (fitted)")

# Cycles with no media: hovers and a cancelled dialog only, once to settle,
# then 20 times; the growth over those 20, beside the control's.
quiet=20 quiet_ours=
if kill -0 "$player" 2>/dev/null; then
    minute=quiet cycle=0
    for cycle in $(seq 0 "$quiet"); do
        if [ "$cycle" = 1 ]; then p0=$(held_kib $player) c0=$(held_kib $control); fi
        for c in exit stop open; do at=${c}_at; hover ${!at} "${prompt_of[$c]}" >/dev/null; done
        cancel_once
        run_control
    done
    quiet_p=$(($(held_kib $player) - p0)) quiet_c=$(($(held_kib $control) - c0))
    quiet_ours=$((quiet_p - (quiet_c > 0 ? quiet_c : 0)))   # the control giving memory back is no growth of ours
    [ "$quiet_ours" -le 64 ] || failures+=("$quiet cycles with no media grew the player by $quiet_p KiB, the control by $quiet_c KiB")
fi
printf 'quit\n' >&"${CONTROL[1]}" 2>/dev/null

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

# The plot: both memory curves and the response times, cycle by cycle.
gnuplot <<EOT 2>"$work/gnuplot.log" || log "no plot (see $work/gnuplot.log)"
set terminal pngcairo size 1000,800
set output "$work/soak.png"
set multiplot layout 2,1 title "Soak of the player, $minutes minutes"
set xlabel "minutes"
set autoscale xfix
set ylabel "memory grown, MiB"
set key outside right top
plot "$work/cycles.dat" using (\$1/60):(\$2/1024) with lines lw 2 lc "blue" title "player, held", \
     "" using (\$1/60):(\$3/1024) with lines lw 2 lc "red" title "control, held", \
     "" using (\$1/60):(\$7/1024) with lines dt 2 lc "blue" title "player, resident", \
     "" using (\$1/60):(\$8/1024) with lines dt 2 lc "red" title "control, resident"
set ylabel "ms"
set logscale y
plot "" using (\$1/60):4 with points pt 7 ps 0.5 title "prompt", \
     "" using (\$1/60):5 with points pt 7 ps 0.5 title "dialog", \
     "" using (\$1/60):6 with points pt 7 ps 0.5 title "sound"
unset multiplot
EOT

echo
echo "Soak of the player, $minutes minutes, $(td_arch_of "$arch") build under $arch Wine"
printf '%6s %6s %6s %7s %7s %6s %7s %6s %6s %10s %10s %10s\n' minute cycles played stopped \
    "player" "+KiB" "control" "+KiB" "ours" "prompt ms" "dialog ms" "sound ms"
printf '%s\n' "${rows[@]}"
echo "player, control: memory held (MiB; $([ "$trim" = 1 ] && echo "resident once the C library's free pages are handed back" ||
    echo "resident: gdb could not attach")) at the end of the minute, and +KiB against minute 1;"
echo "ours: the player's +KiB less the control's. Times are median/maximum: prompt, from the"
echo "pointer onto a control until its prompt shows; dialog, from a click on Open until the"
echo "dialog shows; sound, from the dialog's closing until the tune is heard."
echo "Growth after minute 1, fitted through every cycle's sample: player $fit_p KiB, control $fit_c KiB;"
echo "ours $((fit_p - fit_c)) KiB (largest single-minute difference: $most KiB, minute ${most_at:-1})."
echo "Picked by mistake: ${bad_files[*]} in turn; $bad_played of them were still playing a second"
echo "later (stopped); $gone_found times gone.wav had gone before the dialog let it go, and $raced"
echo "times it went while the platform opened it (the control opened it missing too)."
[ -n "$quiet_ours" ] && printf 'No media, %d cycles: player %+d KiB (from %d), control %+d KiB (from %d).\n' "$quiet" "$quiet_p" "$p0" "$quiet_c" "$c0"
echo "Plot: $work/soak.png (data: $work/cycles.dat)"
echo "$ended with code $code"
[ "$code" -eq 0 ] || failures+=("$ended with code $code")
if [ ${#failures[@]} -eq 0 ]; then
    echo "VERDICT: PASS"
    exit 0
fi
printf 'VERDICT: FAIL\n'
printf '  %s\n' "${failures[@]}"
exit 1
