#!/usr/bin/env bash
# Takes a PNG picture of ravlo's dialog under Wine:
#   tools/screenshot.sh BUILD_DIR OUT.png [control-id ...]
# The control identifiers are clicked before the picture is taken.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$(bash "$here/runnable-build.sh" "$1" ravlo ravlo_shot)" && pwd)
out=$2
shift 2
bmp="$build/ravlo-screenshot.bmp"
bash "$here/wine-env.sh" "$build" wine "$build/tools/shot/ravlo_shot.exe" \
    "Z:${build//\//\\}\\ravlo.exe" "Z:${bmp//\//\\}" "$@"
convert "$bmp" -strip "$out"
rm -f "$bmp"
