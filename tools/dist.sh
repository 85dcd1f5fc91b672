#!/usr/bin/env bash
# Packs ravlo-VERSION.zip: ravlo.exe, README.md and SHA256SUMS, with fixed
# file times so the same build gives the same archive.
set -euo pipefail
build=$1 version=$2
root=$(cd "$(dirname "$0")/.." && pwd)
# Only the lean exe ships: no debug sections, within 128 KiB.
bash "$root/tools/check-lean.sh" "$build/ravlo.exe" 131072 >/dev/null || {
    echo "$build/ravlo.exe is not the lean release exe (configure with -DCMAKE_BUILD_TYPE=Release)"; exit 1; }
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
dir="$stage/ravlo-$version"
mkdir -p "$dir"
cp "$build/ravlo.exe" "$root/README.md" "$dir/"
(cd "$dir" && sha256sum ravlo.exe README.md > SHA256SUMS)
touch -d '2004-08-22 00:00:00 UTC' "$dir" "$dir"/*
out="$root/ravlo-$version.zip"
rm -f "$out"
(cd "$stage" && TZ=UTC zip -X -q -r "$out" "ravlo-$version")
echo "$out"
cat "$dir/SHA256SUMS"
