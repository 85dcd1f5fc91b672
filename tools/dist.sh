#!/usr/bin/env bash
# Packs ravlo-VERSION.zip: ravlo.exe, README.md, the Swedish player's guide
# "LÄS MIG.txt" and SHA256SUMS, in a folder ravlo-VERSION/, with fixed times
# and attributes so that the same build gives the same archive byte for byte.
#   tools/dist.sh BUILD_DIR VERSION [OUT_ZIP]
# OUT_ZIP defaults to ravlo-VERSION.zip at the top of the repository.
set -euo pipefail
build=$1 version=$2
root=$(cd "$(dirname "$0")/.." && pwd)
out=${3:-$root/ravlo-$version.zip}
# Only the lean exe ships: no debug sections, within 128 KiB.
bash "$root/tools/check-lean.sh" "$build/ravlo.exe" 131072 >/dev/null || {
    echo "$build/ravlo.exe is not the lean release exe (configure with -DCMAKE_BUILD_TYPE=Release)"; exit 1; }
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
folder="ravlo-$version"
dir="$stage/$folder"
mkdir -p "$dir"
cp "$build/ravlo.exe" "$root/README.md" "$dir/"
guide="LÄS MIG.txt"

# Python reads and writes the names as UTF-8 whatever the locale.
export PYTHONUTF8=1

# The guide is kept as UTF-8 with LF line ends; Windows' Notepad gets it with
# a byte-order mark and CR LF, so it shows right on any code page.
python3 - "$root/docs/las-mig.txt" "$dir/$guide" <<'EOF'
import sys
text = open(sys.argv[1], 'rb').read().decode('utf-8')  # refuses bytes that are not UTF-8
text = text.removeprefix('\ufeff').replace('\r\n', '\n')
if not text.endswith('\n'):
    text += '\n'
open(sys.argv[2], 'wb').write(('\ufeff' + text.replace('\n', '\r\n')).encode('utf-8'))
EOF

(cd "$dir" && sha256sum ravlo.exe README.md "$guide" > SHA256SUMS)

# Sorted entries, one date, fixed Unix modes, and the UTF-8 flag on the guide's name.
python3 "$root/tools/write_zip.py" "$stage" "$folder" "$stage/out.zip"

mkdir -p "$(dirname "$out")"
mv -f "$stage/out.zip" "$out"
echo "$out"
cat "$dir/SHA256SUMS"
