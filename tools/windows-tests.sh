#!/usr/bin/env bash
# Packs ravlo-VERSION-windows-tests.zip beside make dist's zip: the very
# ravlo.exe that make dist ships, every test program built for 32-bit Windows
# with the marker DLL they plant, the runner, run-tests.cmd and the
# screenshot tool, all at the zip's top level. Unzipped anywhere on Windows, run-tests.cmd runs them.
#   tools/windows-tests.sh BUILD_DIR VERSION
# Where this machine's Wine cannot start 32-bit programs, the same tests are
# packed for 64-bit Windows too, around the 64-bit ravlo.exe, as
# ravlo-VERSION-windows-tests-x64.zip: that bundle is the one wine64 runs here.
set -euo pipefail
build=$(cd "$1" && pwd) version=$2
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-kind.sh"
export PYTHONUTF8=1

# pack TOOLCHAIN EXE OUT_ZIP: the tests alone, built in a tree of their own
# to drive EXE (no ravlo.exe of their own), with posix threads, which give
# std::thread on every MinGW-w64 compiler.
pack() {
    local toolchain=$1 exe=$2 out=$3
    local tree="$build/windows-tests-${toolchain%.cmake}"
    bash "$root/tools/build-lock.sh" "$build" cmake -S "$root" -B "$tree" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DRAVLO_MINGW_THREADS=posix -DRAVLO_EXE_UNDER_TEST="$exe" >/dev/null
    bash "$root/tools/build-lock.sh" "$build" cmake --build "$tree" -j2 \
        --target ravlo_portable_tests ravlo_tests ravlo_e2e ravlo_test_runner ravlo_shot >/dev/null
    local stage
    stage=$(mktemp -d)
    trap 'rm -rf "$stage"' RETURN
    cp "$tree"/tests/{ravlo.exe,ravlo_portable_tests.exe,ravlo_tests.exe,ravlo_e2e.exe,ravlo_marker_dll.dll} \
       "$tree/windows-tests/ravlo_test_runner.exe" "$tree/tools/shot/ravlo_shot.exe" "$stage/"
    # cmd reads a batch file by CR LF lines.
    sed 's/\r*$/\r/' "$root/tools/windows-tests/run-tests.cmd" >"$stage/run-tests.cmd"
    cmp -s "$stage/ravlo.exe" "$exe" || { echo "windows-tests: the bundle's ravlo.exe is not $exe" >&2; exit 1; }
    python3 "$root/tools/write_zip.py" "$stage" "" "$out"
    echo "$out"
}

pack mingw-i686.cmake "$build/ravlo.exe" "$root/ravlo-$version-windows-tests.zip"
if ! wine32_starts && [ -x /usr/lib/wine/wine64 ]; then
    x64=$(bash "$root/tools/runnable-build.sh" "$build" ravlo)
    pack mingw-x86_64.cmake "$(cd "$x64" && pwd)/ravlo.exe" "$root/ravlo-$version-windows-tests-x64.zip"
fi
