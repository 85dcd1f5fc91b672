#!/usr/bin/env bash
# Prints the build folder whose Windows programs this machine's Wine can run:
#   tools/runnable-build.sh BUILD_DIR [TARGET...]
# That is BUILD_DIR itself, the shipped 32-bit build, wherever Wine's 32-bit
# loader starts. Some kernels run no 32-bit processes at all, and on some
# machines 32-bit Wine would not install (tools/install-deps.sh); there the
# same sources are built for 64-bit Windows in BUILD_DIR/x64 and run by wine64,
# and that build's checks of size and imports still look at the 32-bit exe.
# Given TARGETs, only those are built there; otherwise everything.
set -euo pipefail
build=$1
shift
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-kind.sh"
if is_64bit_build "$build" || wine32_starts; then
    echo "$build"
    exit 0
fi
x64="$build/x64"
echo "Wine cannot start the 32-bit ravlo.exe here (no 32-bit Wine, or a kernel that runs no 32-bit programs):" >&2
echo "the same sources are built for 64-bit Windows in $x64 and run under wine64." >&2
# Configured every time, as the 32-bit build is: tests that became buildable
# since the last run (GoogleTest installed later) join in.
# Under the build tree's lock, as in the Makefile: two makes at once would
# write the same files.
bash "$root/tools/build-lock.sh" "$build" cmake -S "$root" -B "$x64" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DRAVLO_SHIPPED_EXE="$(cd "$build" && pwd)/ravlo.exe" >/dev/null
bash "$root/tools/build-lock.sh" "$build" cmake --build "$x64" -j2 ${1:+--target "$@"} >&2
echo "$x64"
