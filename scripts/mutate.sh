#!/usr/bin/env bash
# Mutation testing of the platform-free code (not part of the test command):
# plants one fault at a time in a copy of the sources (build/mutate/src), builds
# it natively without sanitizers (build/mutate/build) and runs the native tests;
# a survivor is tried again with the sanitizers (build/mutate/sanitized), as the
# test command runs the suites. Mutants listed in scripts/mutate_equivalent.txt
# (each with the reason it cannot change behaviour) are not tried.
# Prints the score per folder and the mutants no test caught.
# Usage: scripts/mutate.sh [--sample N] [--seed S] [--budget SECONDS] [--shuffle] [--rev COMMIT] [--list] [FILES...]
#   --sample N   mutants to try, spread over the folders (default 300; 0: all)
#   --budget S   stop trying new mutants after S seconds (with --shuffle, what
#                was tried is still spread over the folders)
#   --rev C      mutate that commit's sources and tests instead of the working tree
#   FILES        paths or globs relative to the top (default: mathlib, raster,
#                text/document.cpp, text/string_utils.cpp, gl/vertex_block.cpp)
# The log of every mutant tried is build/mutate/mutants.jsonl;
# `python3 scripts/mutate.py --report build/mutate/mutants.jsonl` prints its summary again.
set -u -o pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir=${TD_BUILD:-$top/build}/mutate
rev="" args=()
while [ $# -gt 0 ]; do
    case "$1" in
        --rev) rev=$2; shift 2 ;;
        *) args+=("$1"); shift ;;
    esac
done

# A fresh copy of the sources: the working tree's (tracked and new files) or a commit's.
rm -rf "$dir/src" && mkdir -p "$dir/src" || exit 1
if [ -n "$rev" ]; then
    git -C "$top" archive "$rev" | tar -x -C "$dir/src" || exit 1
else
    (cd "$top" && git ls-files -co --exclude-standard -z | xargs -0 cp --parents -t "$dir/src") || exit 1
fi
# Newer than any object an earlier run built from a mutant.
find "$dir/src" -type f -exec touch {} +
generator=(); command -v ninja >/dev/null && generator=(-G Ninja)
# -O1 and no debug information: quick to build, and an equivalent mutant gives the same object bytes.
for kind in build sanitized; do
    [ -f "$dir/$kind/CMakeCache.txt" ] && continue
    cmake -S "$dir/src" -B "$dir/$kind" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O1 \
        -DTD_BENCH=OFF -DTD_ARTIFACTS="$dir/artifacts" -DTD_SANITIZE=$([ $kind = sanitized ] && echo ON || echo OFF) >/dev/null || exit 1
done
export ASAN_OPTIONS=${ASAN_OPTIONS:-allocator_may_return_null=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
nice -n 5 python3 "$top/scripts/mutate.py" --src "$dir/src" --build "$dir/build" --sanitized "$dir/sanitized" \
    --log "$dir/mutants.jsonl" "${args[@]}"
