#!/usr/bin/env bash
# Fuzzes the libFuzzer targets with clang, AddressSanitizer and UBSan (leaks
# count as failures), each for the given time, one after the other.
#   bash scripts/fuzz.sh [SECONDS] [TARGET...]     default: 60 s, every target
#   TD_FUZZ_FLAGS="-runs=10000000" bash scripts/fuzz.sh 0 strings   # by count instead
# Adding a target: write tests/fuzz/<name>.cpp defining LLVMFuzzerTestOneInput
# (on code from td_core) and put a few seed files in
# tests/fuzz/corpus/<name>/. Nothing else changes: this script and the native
# test build (which replays every corpus file as test fuzz_<name>_corpus) find it.
# New inputs land in $TD_BUILD/fuzz/corpus/<name>/, crashes in
# $TD_BUILD/fuzz/crashes/; the last line per target gives executions and time.
set -u
source "$(dirname "$0")/lib.sh"
TD_PACKAGES="$TD_PACKAGES $TD_PACKAGES_FUZZ"
td_install || exit 1
cd "$TD_ROOT"

seconds=${1:-60}
shift $(( $# > 0 ? 1 : 0 ))
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=($(ls tests/fuzz/*.cpp | xargs -n1 basename | sed 's/\.cpp$//' | grep -vx replay_main))

dir=$TD_BUILD/fuzz
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
CC=clang-14 CXX=clang++-14 cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTD_TESTS=OFF -DTD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$flags" >/dev/null || exit 1
cmake --build "$dir" --target td_core -j 2 >/dev/null || exit 1

failed=0
for t in "${targets[@]}"; do
    exe=$dir/$t
    clang++-14 -std=c++20 -g -O1 -I. -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
        "tests/fuzz/$t.cpp" "$dir/libtunedeck_core.a" -o "$exe" || { failed=1; continue; }
    mkdir -p "$dir/corpus/$t" "$dir/crashes"
    log=$dir/$t.log
    start=$(date +%s)
    "$exe" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$dir/crashes/$t-" \
        ${TD_FUZZ_FLAGS:-} "$dir/corpus/$t" "tests/fuzz/corpus/$t" >"$log" 2>&1
    rc=$?
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
    verdict=ok; [ $rc -ne 0 ] && { verdict="FAILED (exit $rc, see $log)"; failed=1; }
    td_log "$t: ${runs:-?} executions in $(( $(date +%s) - start )) s: $verdict"
done
exit $failed
