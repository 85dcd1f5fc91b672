#!/usr/bin/env bash
# Runs every test of the build under Wine.
set -euo pipefail
build=${1:-build}
here=$(dirname "$0")
exec bash "$here/wine-env.sh" "$build" ctest --test-dir "$build" --output-on-failure -j2 --timeout 300 </dev/null
