#!/usr/bin/env bash
# Builds the raster benchmark natively (release, no sanitizers, its own build
# folder) and runs it; then runs the Windows build's benchmark under Wine when
# one has been built and a display is available.
set -u
source "$(dirname "$0")/lib.sh"
cd "$TD_ROOT"

dir=$TD_BUILD/bench-native
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DTD_SANITIZE=OFF -DTD_TESTS=OFF >/dev/null || exit 1
cmake --build "$dir" --target td_bench_raster -j 2 >/dev/null || exit 1
td_log "native"
"$dir/bench/td_bench_raster" || exit 1

for arch in i686 x86_64; do
    exe=$TD_BUILD/$arch/bench/td_bench_raster.exe
    [ -f "$exe" ] || continue
    if [ -z "${DISPLAY:-}" ]; then
        td_log "$arch: DISPLAY is not set, skipping the Wine run"
        continue
    fi
    td_log "$arch under Wine"
    "$TD_ROOT/scripts/wine-exec" "$exe"
done
