#!/usr/bin/env bash
# A lasting test session for working by hand: a display and a wineserver of
# its own for the build folder $TD_BUILD (default build/).
#   scripts/wine-session.sh start   # then: source $TD_BUILD/session.env
#   scripts/wine-session.sh stop
set -u
source "$(dirname "$0")/lib.sh"
arch=$(td_wine_arch)
env_file=$TD_BUILD/session.env
case "${1:-start}" in
start)
    mkdir -p "$TD_BUILD"
    if [ -f "$env_file" ]; then source "$env_file"; kill -0 "$TD_XVFB_PID" 2>/dev/null && { echo "running: source $env_file"; exit 0; }; fi
    td_wine_env "$arch"
    td_start_display || exit 1
    td_start_wine
    cat >"$env_file" <<EOT
export TD_BUILD=$TD_BUILD DISPLAY=$DISPLAY WINEARCH=$WINEARCH WINEPREFIX=$WINEPREFIX WINEDEBUG=$WINEDEBUG
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES" TD_WINE=$TD_WINE TD_XVFB_PID=$TD_XVFB_PID TD_WINESERVER_PID=$TD_WINESERVER_PID
EOT
    echo "started: source $env_file   (Windows build: $TD_BUILD/$(td_arch_of "$arch"))"
    ;;
stop)
    [ -f "$env_file" ] && source "$env_file" && td_stop && rm -f "$env_file"
    ;;
esac
