#!/usr/bin/env bash
# Runs every test of the build under Wine.
set -euo pipefail
build=${1:-build}
here=$(dirname "$0")
runnable=$(bash "$here/runnable-build.sh" "$build")
exec bash "$here/wine-env.sh" "$runnable" ctest --test-dir "$runnable" --no-tests=error --output-on-failure -j2 --timeout 300 </dev/null
