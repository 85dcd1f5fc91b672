#!/usr/bin/env bash
# Runs the Windows test bundle under Wine the way a Windows PC runs it:
# unzipped into a new folder whose path holds å, ä and ö, outside the
# repository, in a new empty Wine prefix, by `wine cmd /c run-tests.cmd` with
# nothing of the project's around it. Fails if the run left a program
# running, or a file or registry key in the prefix; then takes the two
# pictures that the Windows CI job takes.
#   tools/check-windows-bundle.sh BUNDLE.zip [OUT_DIR [GTEST_FILTER]]
# OUT_DIR (default ./windows-tests-results) gets results.xml, the run's
# output and the pictures. A bundle of 64-bit programs runs under wine64.
set -uo pipefail
zip=$(realpath "$1")
out=$(mkdir -p "${2:-windows-tests-results}" && cd "${2:-windows-tests-results}" && pwd)
filter=${3:-}
work=$(mktemp -d /tmp/ravlo-bundle.XXXXXX)
bundle="$work/Hämtade filer/Prov åäö"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all LC_ALL=C.UTF-8 PYTHONUTF8=1
xvfb=
trap 'wineserver -k 2>/dev/null; [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT

mkdir -p "$bundle"
python3 -m zipfile -e "$zip" "$bundle" || exit 1
wine=wine
machine=$(python3 -c 'import struct, sys; d = open(sys.argv[1], "rb").read(4096); print(hex(struct.unpack_from("<H", d, struct.unpack_from("<I", d, 60)[0] + 4)[0]))' "$bundle/ravlo.exe")
[ "$machine" = 0x8664 ] && { wine=/usr/lib/wine/wine64; export WINEARCH=win64; }
if [ -z "${DISPLAY:-}" ]; then
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || { echo "check-windows-bundle: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$(tr -dc 0-9 <"$work/display")"
fi

# What the prefix holds: its files, and its registry keys without their times.
snapshot() {
    (cd "$WINEPREFIX" && find . -path ./dosdevices -prune -o -print | sort)
    grep -h '^\[' "$WINEPREFIX"/*.reg | sed 's/\] [0-9]*$/]/' | sort
}
"$wine" wineboot --init >/dev/null 2>&1
wineserver -w
snapshot >"$work/before"

cd "$bundle" || exit 1
start=$SECONDS
"$wine" cmd /c run-tests.cmd ${filter:+"$filter"} 2>&1 | tee "$out/run.log"
rc=${PIPESTATUS[0]}
echo "run-tests.cmd: exit code $rc after $((SECONDS - start)) s"
if ! timeout 60 wineserver -w; then
    echo "FAIL: a program of the run was still running a minute after its end"
    rc=1
fi
snapshot >"$work/after"
diff "$work/before" "$work/after" >"$work/changed"
if grep -q '^>' "$work/changed"; then
    echo "FAIL: the run left in the prefix:"; grep '^>' "$work/changed"
    rc=1
fi
grep -q '^<' "$work/changed" && { echo "Gone from the prefix after the run:"; grep '^<' "$work/changed"; }

# The pictures, after the check: the save dialog keeps its recent folders.
"$wine" ravlo_shot.exe ravlo.exe dialog.bmp 1049 1007 || rc=1
"$wine" ravlo_shot.exe ravlo.exe save-dialog.bmp 1049 1007 --save-dialog || rc=1
cp results.xml ./*.bmp "$out/" 2>/dev/null
exit "$rc"
