# Shared by the README's commands: installing what is missing, building, and the
# test display and Wine server. Source it; it defines functions only.

TD_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TD_BUILD=${TD_BUILD:-$TD_ROOT/build}

TD_PACKAGES_I386="wine32:i386 libgl1:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386 libglu1-mesa:i386
 gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386 libasound2:i386"
TD_PACKAGES="g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix cmake make g++ googletest
 wine wine64 xvfb xauth xdotool imagemagick sox libsox-fmt-mp3 libstb-dev fonts-dejavu-core
 libgl1 libglx-mesa0 libgl1-mesa-dri libglu1-mesa gstreamer1.0-plugins-base gstreamer1.0-plugins-good libasound2"
# Only scripts/fuzz.sh installs these (libFuzzer comes with clang's runtime).
TD_PACKAGES_FUZZ="clang-14 libclang-rt-14-dev"
# Only scripts/bench.sh installs these: the peer libraries the raster benchmark
# measures itself against (natively; the benchmark builds without them too).
TD_PACKAGES_BENCH="libsdl2-gfx-dev libpixman-1-dev pkg-config"
# ... and the same peers as 32-bit code, with the compiler's 32-bit support, to
# build the benchmark as the product's processor sees it.
TD_PACKAGES_BENCH_I386="g++-multilib libsdl2-gfx-dev:i386 libpixman-1-dev:i386"
# Only scripts/soak.sh installs these: gnuplot draws its plot, gdb asks the C
# library of the processes it measures to hand back its free pages.
TD_PACKAGES_SOAK="gnuplot-nox gdb"

# Sound the tests can hear in real time (a PulseAudio server with a null sink)
# and an X server that can switch modes (Xorg with the dummy driver; XRandR for
# 32-bit Wine).
TD_PACKAGES="$TD_PACKAGES pulseaudio pulseaudio-utils xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils x11-utils"
TD_PACKAGES_I386="$TD_PACKAGES_I386 libxrandr2:i386"

# The run command's and the soak's desktop on a display of their own: a window
# manager (title bars, focus for dialogs) and a VNC server to look at it.
TD_PACKAGES="$TD_PACKAGES openbox x11vnc x11-utils"

# The API reference: the docs target, built by the test command.
TD_PACKAGES="$TD_PACKAGES doxygen"

td_log() { printf '[tunedeck] %s\n' "$*" >&2; }

# Installs the Debian packages that are missing; does nothing when all are there.
td_install() {
    local missing=() p
    for p in $TD_PACKAGES $TD_PACKAGES_I386; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    td_log "installing: ${missing[*]}"
    local sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
    if ! dpkg --print-foreign-architectures | grep -qx i386; then $sudo dpkg --add-architecture i386; fi
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Which Wine runs the Windows tests: win32 runs the product itself; win64 runs
# the same sources built for 64 bits, for kernels that cannot execute 32-bit
# code (where the 32-bit Wine loader fails, or runs only under emulation).
td_wine_arch() {
    if [ -n "${TD_WINE_ARCH:-}" ]; then echo "$TD_WINE_ARCH"; return; fi
    local emu=/proc/sys/fs/binfmt_misc/qemu-i386
    if [ -e "$emu" ] && grep -qx enabled "$emu"; then echo win64; return; fi
    if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then echo win32; else echo win64; fi
}

td_arch_of() { [ "$1" = win32 ] && echo i686 || echo x86_64; }

# Shared start of the README's commands: installs what is missing and sets
# TD_RUN_WINE (win32 | win64) and TD_RUN_BUILD (the build Wine runs here).
td_prepare() {
    cd "$TD_ROOT" || return 1
    td_install || return 1
    TD_RUN_WINE=$(td_wine_arch)
    TD_RUN_BUILD=$(td_arch_of "$TD_RUN_WINE")
}

# Configures and builds one tree: native | i686 | x86_64.
td_build() {
    local kind=$1 dir=$TD_BUILD/$1
    local args=(-S "$TD_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTD_ARTIFACTS="$TD_BUILD/artifacts")
    if [ "$kind" = native ]; then
        args+=(-DTD_SANITIZE=ON)
    else
        args+=(-DCMAKE_TOOLCHAIN_FILE="$TD_ROOT/cmake/mingw.cmake" -DTD_ARCH="$kind")
    fi
    mkdir -p "$TD_BUILD/artifacts"
    [ -f "$dir/CMakeCache.txt" ] || cmake "${args[@]}" >/dev/null || return 1
    cmake --build "$dir" -j "$(nproc)" "${@:2}"
}

# Installs a built tree (native | i686 | x86_64) into its prefix,
# $TD_BUILD/install/KIND, and prints the prefix: the library, its headers and
# CMake package, textindex, and in the Windows builds the player as zipped.
td_install_prefix() {
    local prefix=$TD_BUILD/install/$1
    cmake --install "$TD_BUILD/$1" --prefix "$prefix" >/dev/null || return 1
    echo "$prefix"
}

# Builds the player of one build and lays it out in FOLDER as the zip has it
# (the program, its pictures, the tune, the readme): td_layout_player BUILD FOLDER.
td_layout_player() {
    td_build "$1" --target tunedeck player_pictures sample_tune || return 1
    cmake --install "$TD_BUILD/$1" --prefix "$2" --component player >/dev/null
}

# Environment of every Wine process we start (prefix inside the build folder).
# td_wine_env ARCH [USE]: USE names a prefix apart from the tests' (run, soak).
td_wine_env() {
    local arch=$1
    export WINEARCH=$arch
    export WINEPREFIX=$TD_BUILD/wineprefix${2:+-$2}-$arch
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml,winemenubuilder.exe="}
    if [ "$arch" = win32 ]; then export TD_WINE=/usr/lib/wine/wine; else export TD_WINE=/usr/lib/wine/wine64; fi
}

# Starts a virtual display of our own on a free number; sets DISPLAY and TD_XVFB_PID.
td_start_display() {
    local n
    for n in $(seq 90 130); do
        [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] && continue
        Xvfb :$n -screen 0 1024x768x24 -nolisten tcp +extension GLX >"$TD_BUILD/xvfb.log" 2>&1 &
        TD_XVFB_PID=$!
        local i
        for i in $(seq 1 50); do
            [ -e /tmp/.X11-unix/X$n ] && { export DISPLAY=:$n; return 0; }
            kill -0 "$TD_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
    done
    td_log "could not start Xvfb (see $TD_BUILD/xvfb.log)"; return 1
}

# Starts a window manager on DISPLAY, so windows get title bars and a dialog
# gets the focus as on a desktop; sets TD_WM_PID once it has taken the screen.
td_start_desktop() {
    openbox --sm-disable >"$TD_BUILD/openbox.log" 2>&1 &
    TD_WM_PID=$!
    local i
    for i in $(seq 1 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && return 0
        sleep 0.1
    done
    td_log "openbox did not start (see $TD_BUILD/openbox.log)"; return 1
}

# Creates the Wine prefix when missing and starts one persistent wineserver;
# sets TD_WINESERVER_PID.
td_start_wine() {
    mkdir -p "$TD_BUILD"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        td_log "creating the Wine prefix $WINEPREFIX (once)"
        "$TD_WINE" wineboot -i >"$TD_BUILD/wineboot.log" 2>&1
        /usr/lib/wine/wineserver -w
    fi
    /usr/lib/wine/wineserver -p -f >/dev/null 2>&1 &
    TD_WINESERVER_PID=$!
    sleep 0.2
    # The panel's font, "Lucida Console", is not in Wine: map it to an installed
    # monospaced face, or Wine picks a proportional one. Running this first
    # also starts the prefix's services outside any test's limits (a test run
    # under an address-space limit would otherwise start them with it).
    "$TD_WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Lucida Console' /t REG_SZ \
        /d 'DejaVu Sans Mono' /f >/dev/null 2>&1
}

# A PulseAudio server of our own with one null sink, "cap": Wine's processes
# find it through PULSE_SERVER and play into it in real time. Sets TD_PULSE_PID;
# when it cannot start, the sound tests fall back to ALSA files.
td_start_sound() {
    TD_PULSE_DIR=$(mktemp -d /tmp/tunedeck-pulse.XXXXXX)   # short: socket paths are limited
    XDG_RUNTIME_DIR=$TD_PULSE_DIR pulseaudio --daemonize=no --exit-idle-time=-1 -n --use-pid-file=no \
        --load="module-native-protocol-unix socket=$TD_PULSE_DIR/pa.sock auth-anonymous=1" \
        --load="module-null-sink sink_name=cap rate=44100 channels=2" >"$TD_BUILD/pulseaudio.log" 2>&1 &
    TD_PULSE_PID=$!
    local i
    for i in $(seq 1 50); do
        if PULSE_SERVER=unix:$TD_PULSE_DIR/pa.sock pactl info >/dev/null 2>&1; then
            export PULSE_SERVER=unix:$TD_PULSE_DIR/pa.sock; return 0
        fi
        kill -0 "$TD_PULSE_PID" 2>/dev/null || break
        sleep 0.1
    done
    td_log "PulseAudio did not start (see $TD_BUILD/pulseaudio.log): sound tests use the ALSA file capture"
    kill "$TD_PULSE_PID" 2>/dev/null; TD_PULSE_PID=; return 1
}

# Records the null sink into $TD_CAPTURE_RAW in real time, silence included,
# and returns once bytes flow (the idle sink starts in large blocks). The file
# is appended block by block, so a test may delete it to start afresh. Sets
# TD_CAPTURE_PID.
td_start_capture() {
    parec -d cap.monitor --raw --format=s16le --rate=44100 --channels=2 --latency-msec=20 |
        perl -e 'binmode STDIN; while (sysread(STDIN, my $b, 65536)) {
            open(my $f, ">>:raw", $ARGV[0]) or next; print $f $b; close $f }' "$TD_CAPTURE_RAW" &
    TD_CAPTURE_PID=$!
    local i
    for i in $(seq 1 100); do [ -s "$TD_CAPTURE_RAW" ] && return 0; sleep 0.05; done
    return 1
}

# An X server that can change its mode, for the display-mode test (Xvfb has
# one size only): Xorg with the dummy driver. Sets TD_XORG_DISPLAY and
# TD_XORG_PID, or TD_XORG_FAILURE with the reason.
td_start_xorg() {
    local n i
    export TD_XORG_DISPLAY= TD_XORG_FAILURE=
    for n in $(seq 131 160); do
        [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] && continue
        Xorg :$n -config "$TD_ROOT/scripts/xorg-dummy.conf" -noreset -nolisten tcp -novtswitch -sharevts \
            -logfile "$TD_BUILD/xorg.log" >"$TD_BUILD/xorg.out" 2>&1 &
        TD_XORG_PID=$!
        for i in $(seq 1 100); do
            [ -e /tmp/.X11-unix/X$n ] && { TD_XORG_DISPLAY=:$n; return 0; }
            kill -0 "$TD_XORG_PID" 2>/dev/null || break
            sleep 0.1
        done
        TD_XORG_FAILURE="Xorg :$n did not start: $(grep -h -m1 -E '^\(EE\)|Fatal' "$TD_BUILD/xorg.log" "$TD_BUILD/xorg.out" 2>/dev/null)"
        kill "$TD_XORG_PID" 2>/dev/null; TD_XORG_PID=
        break
    done
    TD_XORG_FAILURE=${TD_XORG_FAILURE:-"no free display number for Xorg"}
    td_log "no display-mode test: $TD_XORG_FAILURE"; return 1
}

td_stop() {
    [ -n "${TD_WM_PID:-}" ] && { kill "$TD_WM_PID" 2>/dev/null; wait "$TD_WM_PID" 2>/dev/null; }
    [ -n "${TD_PULSE_PID:-}" ] && { kill "$TD_PULSE_PID" 2>/dev/null; wait "$TD_PULSE_PID" 2>/dev/null; rm -rf "$TD_PULSE_DIR"; }
    [ -n "${TD_XORG_PID:-}" ] && { kill "$TD_XORG_PID" 2>/dev/null; wait "$TD_XORG_PID" 2>/dev/null; }
    [ -n "${TD_WINESERVER_PID:-}" ] && { /usr/lib/wine/wineserver -k 2>/dev/null; kill "$TD_WINESERVER_PID" 2>/dev/null; wait "$TD_WINESERVER_PID" 2>/dev/null; }
    [ -n "${TD_XVFB_PID:-}" ] && { kill "$TD_XVFB_PID" 2>/dev/null; wait "$TD_XVFB_PID" 2>/dev/null; }
    TD_WINESERVER_PID=; TD_XVFB_PID=; TD_WM_PID=; TD_PULSE_PID=; TD_XORG_PID=
}
