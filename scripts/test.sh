#!/usr/bin/env bash
# The test command: installs what is missing, builds everything (the Win32
# product, the native sanitizer build of the platform-free modules, and the
# Windows build that this machine's Wine can run) and runs every test.
# Exits non-zero on any failure. Usage: scripts/test.sh [ctest arguments]
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
td_prepare || exit 1
arch=$TD_RUN_WINE runbuild=$TD_RUN_BUILD
td_log "Windows tests run the $runbuild build under $arch Wine"

td_build native || exit 1
td_build i686 || exit 1
if [ "$runbuild" != i686 ]; then td_build "$runbuild" || exit 1; fi
# Each build installed into build/install/<kind>, as another program finds it.
for kind in native i686 $([ "$runbuild" != i686 ] && echo "$runbuild"); do
    prefix=$(td_install_prefix "$kind") || exit 1
    td_log "installed into $prefix"
done

export ASAN_OPTIONS=${ASAN_OPTIONS:-allocator_may_return_null=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
td_log "native tests (AddressSanitizer, UBSan)"
ctest --test-dir "$TD_BUILD/native" --output-on-failure "$@" || status=1
if [ "$runbuild" != i686 ] && [ $# -eq 0 ]; then
    # Its tests do not run here, but the 32-bit package must still serve other programs.
    td_log "the i686 package: its headers and the examples built against it"
    ctest --test-dir "$TD_BUILD/i686" --output-on-failure -R '^(install_header_check|example_.*_build)$' || status=1
fi

td_wine_env "$arch"
trap td_stop EXIT
td_start_display || exit 1
td_start_sound
td_start_xorg
td_start_wine
renice -n -10 -p "$TD_WINESERVER_PID" >/dev/null 2>&1   # the sound tests' Wine waits on it in real time
td_log "Windows tests on display $DISPLAY"
ctest --test-dir "$TD_BUILD/$runbuild" --output-on-failure "$@" || status=1
td_stop
ls "$TD_BUILD/artifacts"/*.png >/dev/null 2>&1 && td_log "pictures for a person to look at: $TD_BUILD/artifacts"
exit $status
