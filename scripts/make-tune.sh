#!/usr/bin/env bash
# Plays the notes of a tune description (assets/sample_tune.txt) into a WAV
# file with sox: 44100 Hz, 16-bit stereo, which the player's media device takes.
# Usage: scripts/make-tune.sh <description file> <output .wav>
set -eu
desc=$1 out=$2
value() { awk -v k="$1" '$1 == k { print $2 }' "$desc"; }
tempo=$(value tempo) voice=$(value voice) volume=$(value volume)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# One line per note: its length in seconds and its frequency (0 for a rest).
# A name that is not a note stops the build with the line it is on.
awk -v tempo="$tempo" '
    BEGIN { split("C C# D D# E F F# G G# A A# B", names, " "); for (i = 1; i <= 12; i++) step[names[i]] = i - 1 }
    $1 != "note" { next }
    {
        if ($3 + 0 <= 0) { printf "line %d: a note needs a length in beats\n", NR > "/dev/stderr"; exit 1 }
        seconds = $3 * 60 / tempo
        if ($2 == "rest") { print seconds, 0; next }
        if (!match($2, /^[A-G]#?[0-8]$/)) { printf "line %d: \"%s\" is not a note (C0 to B8, or rest)\n", NR, $2 > "/dev/stderr"; exit 1 }
        midi = 12 * (substr($2, length($2)) + 1) + step[substr($2, 1, length($2) - 1)]
        printf "%s %.3f\n", seconds, 440 * 2 ^ ((midi - 69) / 12)
    }' "$desc" >"$tmp/notes"
n=0
while read -r seconds freq; do
    part=$(printf '%s/%04d.wav' "$tmp" "$n")
    if [ "$freq" = 0 ]; then
        sox -q -n -r 44100 -c 2 -b 16 "$part" trim 0 "$seconds"
    else
        # Short fades at both ends, so notes meet without a click.
        sox -q -n -r 44100 -c 2 -b 16 "$part" synth "$seconds" "$voice" "$freq" vol "$volume" fade 0.005 "$seconds" 0.03
    fi
    n=$((n + 1))
done <"$tmp/notes"
[ "$n" -gt 0 ] || { echo "$desc: no notes" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
sox -q "$tmp"/*.wav "$out"
