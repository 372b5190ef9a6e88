#!/usr/bin/env bash
# Builds the raster benchmark natively (release, no sanitizers, its own build
# folder) with its peer libraries and runs it; then runs the Windows build's
# benchmark under Wine when one has been built (scripts/test.sh builds it).
# The Windows build cannot link the Linux peers: it measures against its own
# baselines only.
set -u
source "$(dirname "$0")/lib.sh"
cd "$TD_ROOT"
TD_PACKAGES="$TD_PACKAGES $TD_PACKAGES_BENCH"
td_install || exit 1

dir=$TD_BUILD/bench-native
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DTD_SANITIZE=OFF -DTD_TESTS=OFF >/dev/null || exit 1
cmake --build "$dir" --target td_bench_raster td_bench_text -j 2 >/dev/null || exit 1
td_log "native"
"$dir/bench/td_bench_raster" || exit 1
texts=$TD_BUILD/bench-texts
mkdir -p "$texts"
"$dir/bench/td_bench_text" "$texts" || exit 1

# The Windows build this machine's Wine runs (see td_wine_arch in lib.sh).
arch=$(td_arch_of "$(td_wine_arch)")
exe=$TD_BUILD/$arch/bench/td_bench_raster.exe
if [ -f "$exe" ]; then
    td_log "$arch build under Wine"
    "$TD_ROOT/scripts/wine-exec" "$exe"
    # The text files of the native run, with wc -lw timed natively now.
    "$TD_ROOT/scripts/wine-exec" "${exe%/*}/td_bench_text.exe" "Z:$texts" \
        $("$dir/bench/td_bench_text" --wc "$texts/bench_lines.txt" "$texts/bench_single_line.txt")
else
    td_log "no Windows build of the benchmark yet ($exe): run scripts/test.sh first"
fi
