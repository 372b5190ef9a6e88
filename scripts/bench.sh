#!/usr/bin/env bash
# Builds the raster benchmark natively (release, no sanitizers, its own build
# folder) with its peer libraries and runs it; builds it again as 32-bit Linux
# code (the product's flags: -O2 -msse2 -mfpmath=sse) against the i386 builds of
# the peers and runs that where the kernel can execute 32-bit code; then runs the
# Windows build's benchmark under Wine when one has been built (scripts/test.sh
# builds it) and sets its time per pixel beside the native figure of the same
# word size. The Windows build cannot link the Linux peers: it measures against
# its own baselines only.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
cd "$TD_ROOT"
TD_PACKAGES="$TD_PACKAGES $TD_PACKAGES_BENCH"
TD_PACKAGES_I386="$TD_PACKAGES_I386 $TD_PACKAGES_BENCH_I386"
td_install || exit 1
out=$TD_BUILD/bench-results
mkdir -p "$out" && rm -f "$out"/*.txt

dir=$TD_BUILD/bench-native
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DTD_SANITIZE=OFF -DTD_TESTS=OFF >/dev/null || exit 1
cmake --build "$dir" --target td_bench_raster td_bench_text -j 2 >/dev/null || exit 1
td_log "native (x86_64)"
"$dir/bench/td_bench_raster" "$@" | tee "$out/native.txt" || exit 1
texts=$TD_BUILD/bench-texts
mkdir -p "$texts"
"$dir/bench/td_bench_text" "$texts" || exit 1

# 32-bit: the compiler's -m32 and the i386 peers (found through their own
# pkg-config files).
dir32=$TD_BUILD/bench-native32
flags32="-m32 -msse2 -mfpmath=sse"
PKG_CONFIG_LIBDIR=/usr/lib/i386-linux-gnu/pkgconfig:/usr/share/pkgconfig \
    cmake -S . -B "$dir32" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTD_SANITIZE=OFF -DTD_TESTS=OFF \
    -DCMAKE_C_FLAGS="$flags32" -DCMAKE_CXX_FLAGS="$flags32" >/dev/null || exit 1
cmake --build "$dir32" --target td_bench_raster -j 2 >/dev/null || exit 1
if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    td_log "native 32-bit (i386, $flags32)"
    "$dir32/bench/td_bench_raster" "$@" | tee "$out/native32.txt" || exit 1
else
    td_log "native 32-bit: built ($dir32/bench/td_bench_raster), but this kernel cannot execute 32-bit code"
fi

# Wine's time per pixel beside the native one, row by row (first row of a name).
beside() {
    awk -v label="$3" 'function key(s) { s = substr(s, 1, 34); sub(/ +$/, "", s); return s }
        FNR == 1 { next }
        NR == FNR { k = key($0); if (!(k in native)) { split(substr($0, 35), f, " "); native[k] = f[1] }; next }
        { k = key($0); if ((k in seen) || !(k in native)) next; seen[k] = 1; split(substr($0, 35), f, " ")
          r = f[1] / native[k]
          printf "%-34s %9.3f  %9.3f  %6.2f  %s\n", k, native[k], f[1], r, (r > 1.2 ? "over 1.2" : "") }
        BEGIN { printf "%-34s %9s  %9s  %6s\n", "operation", "native", label, "ratio" }' "$1" "$2"
}

# The Windows build this machine's Wine runs (see td_wine_arch in lib.sh).
arch=$(td_arch_of "$(td_wine_arch)")
exe=$TD_BUILD/$arch/bench/td_bench_raster.exe
if [ -f "$exe" ]; then
    td_log "$arch build under Wine"
    "$TD_ROOT/scripts/wine-exec" "$exe" "$@" | tee "$out/wine-$arch.txt"
    # The Windows build times its batches in wall time: so does the native run
    # set beside it (taken now, next to Wine's, so both see the same load).
    # Wine runs the i686 build only where the kernel runs 32-bit code.
    native=$dir/bench/td_bench_raster
    [ "$arch" = i686 ] && native=$dir32/bench/td_bench_raster
    TD_BENCH_WALL=1 "$native" "$@" >"$out/native-wall-$arch.txt" || exit 1
    td_log "ns per pixel (wall time): $arch under Wine beside the native build of the same word size"
    beside "$out/native-wall-$arch.txt" "$out/wine-$arch.txt" "Wine $arch" | tee "$out/beside-$arch.txt"
    # The text files of the native run, with wc -lw timed natively now.
    "$TD_ROOT/scripts/wine-exec" "${exe%/*}/td_bench_text.exe" "Z:$texts" \
        $("$dir/bench/td_bench_text" --wc "$texts/bench_lines.txt" "$texts/bench_single_line.txt")
else
    td_log "no Windows build of the benchmark yet ($exe): run scripts/test.sh first"
fi
