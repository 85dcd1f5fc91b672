#!/usr/bin/env bash
# Starts ravlo.exe under Wine. With a display it simply runs; without one it
# runs on a virtual display, saves a picture of the dialog and closes it.
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
# Only what is run: the program, and the picture tool where there is no display.
targets=(ravlo)
[ -n "${DISPLAY:-}" ] || targets+=(ravlo_shot)
# Under the build tree's lock, as in the Makefile.
bash "$here/build-lock.sh" "$build" cmake --build "$build" -j2 --target "${targets[@]}"
build=$(bash "$here/runnable-build.sh" "$build" "${targets[@]}")

# In a Wine prefix of its own: the program stays open until its window is
# closed, and the tests must not wait for it (a run holds its prefix).
if [ -n "${DISPLAY:-}" ]; then
    RAVLO_WINE_PREFIX=run exec bash "$here/wine-env.sh" "$build" wine "$build/ravlo.exe"
fi

shot="$(cd "$build" && pwd)/ravlo-screenshot.png"
bash "$here/screenshot.sh" "$build" "$shot"
echo "No display is set: ravlo.exe ran on a virtual display (Xvfb) and was closed again."
echo "Screenshot of its dialog: $shot"
