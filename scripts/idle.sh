#!/usr/bin/env bash
# Idle load: how much processor time the player costs while nobody uses it.
# Runs the player under Wine, as the run command lays it out, and then a control
# program (scripts/idle_control.cpp: a bare window whose 40 ms timer copies a
# 300 x 200 DIB section to the window, the floor for this design), one after the
# other on the same display set-up: a virtual display of its own (Xvfb) with the
# run command's window manager, one wineserver, no VNC server. For each program,
# SECONDS (default 60) with the pointer outside the window and as long with it
# over a control ("Open"; the same spot of the control's window), it reads from
# /proc the processor time of the program, the wineserver, the X server and
# Wine's other processes of the prefix, and prints them as % of one core.
# Verdict: pass when, at both pointer places, the player with the wineserver
# takes at most 1.1 x what the control with the wineserver takes, and the X
# server at most 1.2 x. Exit code 0 on a pass. The control runs a second time
# with the player's OpenGL context bound to its window ("gl"), which shows how
# much of any excess that context accounts for (see idle_control.cpp).
# Usage: scripts/idle.sh [SECONDS]
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
seconds=${1:-60}
case "$seconds" in ''|*[!0-9]*|0) echo "usage: scripts/idle.sh [SECONDS] (a whole number, at least 1)" >&2; exit 2 ;; esac

td_prepare || exit 1
arch=$TD_RUN_WINE build=$TD_RUN_BUILD
work=$TD_BUILD/idle
folder=$work/tunedeck
rm -rf "$work" && mkdir -p "$work"
td_layout_player "$build" "$folder" || exit 1
# The control, with the product's compiler and code-generation flags.
"$build-w64-mingw32-g++-posix" -std=c++20 -O2 -Wall -Wextra -msse2 -mfpmath=sse -mwindows -static \
    -o "$work/idle_control.exe" "$TD_ROOT/scripts/idle_control.cpp" -lgdi32 -lopengl32 || exit 1

td_wine_env "$arch" idle
unset DISPLAY
td_start_display || exit 1
program=
trap '[ -n "$program" ] && kill $program 2>/dev/null; td_stop' EXIT
td_start_wine
td_start_desktop || exit 1

log() { printf '[idle %s] %s\n' "$(date -u +%H:%M:%S)" "$*" >&2; }
hz=$(getconf CLK_TCK)
now_ns() { date +%s%N; }
# User + system time of a process in clock ticks (0 once it has gone). The
# name in field 2 may hold spaces: count fields after its closing parenthesis.
ticks() {
    local s
    s=$(sed 's/^.*) //' "/proc/$1/stat" 2>/dev/null) && [ -n "$s" ] || { echo 0; return; }
    set -- $s
    echo $((${12} + ${13}))
}
# Wine's other processes of this prefix (services, explorer, device drivers),
# by environment; the display and the window manager have it too.
others() {
    local p sum=0 t
    for p in /proc/[0-9]*; do
        p=${p#/proc/}
        case " $program $TD_WINESERVER_PID $TD_XVFB_PID $TD_WM_PID " in *" $p "*) continue ;; esac
        { tr '\0' '\n' <"/proc/$p/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
        t=$(ticks "$p"); sum=$((sum + ${t:-0}))
    done
    echo $sum
}
sample() { echo "$(now_ns) $(ticks "$program") $(ticks "$TD_WINESERVER_PID") $(ticks "$TD_XVFB_PID") $(others)"; }

# Starts a program from the player's folder, waits for its window (title $2)
# and for start-up to settle; sets program and window.
start_program() {
    local exe=$1 title=$2 i
    (cd "$folder" && exec "$TD_WINE" $exe) 2>>"$work/wine.log" &
    program=$!
    window=
    for i in $(seq 1 300); do
        window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -1)
        [ -n "$window" ] && break
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$window" ] || { log "the window \"$title\" did not appear (see $work/wine.log)"; return 1; }
    # Start-up (prefix services, fonts, pictures) is not idle: wait until the
    # program and the wineserver take under 5 % of a core over a second.
    local before after
    for i in $(seq 1 30); do
        before=$(sample); sleep 1; after=$(sample)
        read -r t0 p0 w0 _ <<<"$before"; read -r t1 p1 w1 _ <<<"$after"
        [ $(((p1 - p0 + w1 - w0) * 100 * 1000000000)) -lt $((5 * hz * (t1 - t0))) ] && return 0
    done
    log "\"$title\" did not settle within 30 s; measuring anyway"
}

declare -A load
# Measures SECONDS at the pointer place $2 (outside | control) for row $1.
measure() {
    local row=$1 place=$2
    if [ "$place" = outside ]; then xdotool mousemove 800 600; else xdotool mousemove --window "$window" 50 60; fi
    sleep 1
    local a b
    a=$(sample); sleep "$seconds"; b=$(sample)
    kill -0 "$program" 2>/dev/null || { log "$row ended during the measurement"; return 1; }
    read -r t0 p0 w0 x0 o0 <<<"$a"; read -r t1 p1 w1 x1 o1 <<<"$b"
    # % of one core, in hundredths: ticks / (hz × elapsed s) × 100.
    local span=$((t1 - t0)) i=0 v
    for v in $((p1 - p0)) $((w1 - w0)) $((x1 - x0)) $((o1 - o0)); do
        load[$row,$place,$i]=$((v * 100 * 100 * 1000000000 / (hz * span)))
        i=$((i + 1))
    done
    load[$row,$place,sum]=$((load[$row,$place,0] + load[$row,$place,1]))
}
stop_program() { kill "$program" 2>/dev/null; wait "$program" 2>/dev/null; program=; }

pct() { printf '%d.%02d' $(($1 / 100)) $(($1 % 100)); }
loadavg_start=$(cut -d' ' -f1-3 /proc/loadavg)
log "player: $folder/tunedeck.exe ($arch); control: $work/idle_control.exe; ${seconds} s a row"
start_program tunedeck.exe 'TAV-Tunedeck 1.0' || exit 1
measure player outside || exit 1
measure player control || exit 1
stop_program
start_program "$work/idle_control.exe" 'Idle control' || exit 1
measure control outside || exit 1
measure control control || exit 1
stop_program
start_program "$work/idle_control.exe gl" 'Idle control' || exit 1
measure gl_control outside || exit 1
measure gl_control control || exit 1
stop_program
loadavg_end=$(cut -d' ' -f1-3 /proc/loadavg)

# Ratio a / b as x.xx, or "-" when b is 0.
ratio() { [ "$2" -gt 0 ] && printf '%d.%02d' $(($1 / $2)) $(($1 * 100 / $2 % 100)) || echo -; }
printf '\nIdle load, %% of one core over %d s (Xvfb + openbox, %s Wine; load average %s at the start, %s at the end)\n' \
    "$seconds" "$arch" "$loadavg_start" "$loadavg_end"
printf '%-10s %-8s %8s %11s %8s %9s %12s\n' program pointer program wineserver "sum" "X server" "Wine others"
for row in player control gl_control; do
    for place in outside control; do
        printf '%-10s %-8s %8s %11s %8s %9s %12s\n' "$row" "$place" "$(pct ${load[$row,$place,0]})" \
            "$(pct ${load[$row,$place,1]})" "$(pct ${load[$row,$place,sum]})" "$(pct ${load[$row,$place,2]})" \
            "$(pct ${load[$row,$place,3]})"
    done
done
pass=1
for place in outside control; do
    s=$(ratio ${load[player,$place,sum]} ${load[control,$place,sum]})
    x=$(ratio ${load[player,$place,2]} ${load[control,$place,2]})
    verdict=ok
    # Targets in hundredths: 1.10 and 1.20 of the control's.
    [ $((load[player,$place,sum] * 100)) -le $((110 * load[control,$place,sum])) ] || { verdict=OVER; pass=0; }
    [ $((load[player,$place,2] * 100)) -le $((120 * load[control,$place,2])) ] || { verdict=OVER; pass=0; }
    printf 'pointer %-8s player/control: program + wineserver %s (max 1.10), X server %s (max 1.20)  %s\n' \
        "$place" "$s" "$x" "$verdict"
    printf '                 against the control with the player'"'"'s OpenGL context: %s and %s\n' \
        "$(ratio ${load[player,$place,sum]} ${load[gl_control,$place,sum]})" \
        "$(ratio ${load[player,$place,2]} ${load[gl_control,$place,2]})"
done
if [ $pass -eq 1 ]; then echo "verdict: pass"; exit 0; fi
echo "verdict: FAIL"; exit 1
