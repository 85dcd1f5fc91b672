#!/usr/bin/env bash
# Runs a command with the project's private Wine prefix and a display:
#   tools/wine-env.sh BUILD_DIR command...
# Starts Xvfb when no display is set, and a persistent wineserver so that
# each Windows process starts quickly.
set -euo pipefail
build=$(cd "$1" && pwd); shift

export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win32
export LC_ALL=C.UTF-8   # Wine then uses code page 1252

xvfb_pid=
cleanup() {
    exec 9>&- 2>/dev/null || true
    wineserver -k >/dev/null 2>&1 || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 90 130); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
        break
    done
fi

if [ ! -f "$WINEPREFIX/.ravlo-ready" ]; then
    echo "Creating the Wine prefix in $WINEPREFIX ..."
    wineboot --init >/dev/null 2>&1 || true
    # Wine draws the title bar itself instead of leaving it to a window
    # manager (a bare Xvfb has none), and closing a window does not wait
    # two seconds for a manager that never answers.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
    # Wine's own Tahoma (the dialog's font) and Marlett (title-bar buttons).
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    touch "$WINEPREFIX/.ravlo-ready"
fi
wineserver -p >/dev/null 2>&1 || true
# Start Wine's own background processes (services, the desktop) now, detached
# from our output, and keep one idle process alive until we exit so that the
# desktop process never quits between tests: restarted by a test it would
# inherit that test's output pipe and keep whoever reads it (ctest) waiting.
keeper_fifo="$WINEPREFIX/keeper.fifo"
rm -f "$keeper_fifo"
mkfifo "$keeper_fifo"
wine cmd.exe /c pause <"$keeper_fifo" >/dev/null 2>&1 &
exec 9>"$keeper_fifo"   # the keeper waits on this until the script ends

set +e
"$@"
rc=$?
exit $rc
