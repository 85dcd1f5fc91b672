#!/usr/bin/env bash
# Runs a command under the build tree's lock, BUILD_DIR/.lock:
#   tools/build-lock.sh BUILD_DIR command...
# Two makes at once (make -j2 run test, a second terminal) would otherwise
# configure or build the same files at once: the second says that it waits,
# and for which process, then waits half an hour at most.
set -euo pipefail
build=$1; shift
lock="$build/.lock"
mkdir -p "$build"
exec 6<>"$lock"
if ! flock -n 6; then
    read -r holder <&6 || true
    echo "Waiting for another make${holder:+ (process $holder)} to finish configuring or building $build, half an hour at most ..." >&2
    flock -w 1800 6 || { echo "Another make has been configuring or building $build for half an hour: giving up." >&2; exit 1; }
fi
# The command keeps this process, and with it the lock, until it ends.
printf '%-12s\n' "$$" >"$lock"
exec "$@"
