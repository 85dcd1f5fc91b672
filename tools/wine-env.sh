#!/usr/bin/env bash
# Runs a command with the build's private Wine prefix and a display:
#   [RAVLO_WINE_LOCALE=ru_RU.UTF-8] [RAVLO_WINE_PREFIX=NAME] tools/wine-env.sh BUILD_DIR command...
# Starts Xvfb when no display is set, and a persistent wineserver so that
# each Windows process starts quickly. Each Unix locale gets a prefix of its
# own, since Wine takes the ANSI code page from it (C.UTF-8 gives 1252);
# RAVLO_WINE_PREFIX names another (BUILD_DIR/wineprefix-NAME).
set -euo pipefail
build=$(cd "$1" && pwd); shift

locale=${RAVLO_WINE_LOCALE:-C.UTF-8}
if [ -n "${RAVLO_WINE_PREFIX:-}" ]; then
    export WINEPREFIX="$build/wineprefix-$RAVLO_WINE_PREFIX"
elif [ "$locale" = C.UTF-8 ]; then
    export WINEPREFIX="$build/wineprefix"
else
    export WINEPREFIX="$build/wineprefix-${locale%%.*}"
fi
export LC_ALL=$locale
# One run at a time in a prefix: each ends by stopping the prefix's
# wineserver, which would end the other's programs too (make -j2 run test).
# (7>&- below: what is started here must not keep the lock after the end.)
exec 7>"$WINEPREFIX.lock"
if ! flock -n 7; then
    echo "wine-env: waiting for the other run under Wine in $WINEPREFIX to end, an hour at most ..." >&2
    flock -w 3600 7 || { echo "wine-env: the other run has not ended within an hour" >&2; exit 1; }
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
. "$(dirname "$0")/wine-kind.sh"
if is_64bit_build "$build"; then
    # A 64-bit build (see tools/runnable-build.sh): `wine` is wine64 here,
    # whatever the system's wrapper would pick.
    export WINEARCH=win64
    mkdir -p "$build/wine64-bin"
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$build/wine64-bin/wine"
    chmod +x "$build/wine64-bin/wine"
    export PATH="$build/wine64-bin:$PATH"
else
    export WINEARCH=win32
fi

xvfb_pid=
cleanup() {
    exec 9>&- 2>/dev/null || true
    wineserver -k >/dev/null 2>&1 || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
    # Xvfb picks a free display itself and writes its number once it accepts
    # clients (-displayfd). Picking one here by the files in /tmp would miss
    # the displays of another root (a chroot), whose sockets share the
    # abstract namespace with ours.
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 7>&- &
    xvfb_pid=$!
    for _ in $(seq 100); do grep -q . "$display_file" && break; kill -0 "$xvfb_pid" 2>/dev/null || break; sleep 0.1; done
    number=$(tr -dc 0-9 <"$display_file")
    rm -f "$display_file"
    if [ -z "$number" ]; then
        kill -0 "$xvfb_pid" 2>/dev/null && how="has not started a display within 10 s" || how="ended without starting a display"
        echo "wine-env: Xvfb $how: nothing was run" >&2
        exit 1
    fi
    export DISPLAY=":$number"
fi

if [ ! -f "$WINEPREFIX/.ravlo-ready" ]; then
    echo "Creating the Wine prefix in $WINEPREFIX ..."
    wine wineboot --init >/dev/null 2>&1 7>&- || true
    # Wine draws the title bar itself instead of leaving it to a window
    # manager (a bare Xvfb has none), and closing a window does not wait
    # two seconds for a manager that never answers.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 7>&-
    wineserver -w 7>&-
    # Wine's own Tahoma (the dialog's font) and Marlett (title-bar buttons).
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    touch "$WINEPREFIX/.ravlo-ready"
fi
wineserver -p >/dev/null 2>&1 7>&- || true

# This prefix's running Windows programs, one "/proc/PID/cmdline:NAME.exe" a line.
prefix_processes() {
    local environs
    environs=$(grep -lzxF "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ 2>/dev/null | tr "\0" " " || true)
    [ -n "$environs" ] || return 0
    grep -aoi '[^\\/ ]*\.exe' ${environs//environ/cmdline} 2>/dev/null | tr -d '\0' | sort || true
}

# Start Wine's own background processes (services, the desktop) now, detached
# from our output, and keep one idle process alive until we exit so that the
# desktop process never quits between tests: restarted by a test it would
# inherit that test's output pipe and keep whoever reads it (ctest) waiting.
keeper_fifo="$WINEPREFIX/keeper.fifo"
rm -f "$keeper_fifo"
mkfifo "$keeper_fifo"
wine cmd.exe /c pause <"$keeper_fifo" >/dev/null 2>&1 7>&- &
exec 9>"$keeper_fifo"   # the keeper waits on this until the script ends

# Nothing whose output is read may start before those processes are up: one
# started meanwhile would start them itself and hand them its output pipe.
# Wait for the services and the desktop, then for the set to stay the same.
seen= steady=0
for _ in $(seq 300); do
    now=$(prefix_processes)
    if grep -qi 'services\.exe' <<<"$now" && grep -qi 'explorer\.exe' <<<"$now" &&
       grep -qi 'cmd\.exe' <<<"$now" && [ "$now" = "$seen" ]; then
        steady=$((steady + 1))
        [ "$steady" -ge 3 ] && break
    else
        steady=0
    fi
    seen=$now
    sleep 0.2
done
[ "$steady" -ge 3 ] || echo "wine-env: Wine's background processes did not settle within a minute" >&2

set +e
"$@" 7>&-
rc=$?
exit $rc
